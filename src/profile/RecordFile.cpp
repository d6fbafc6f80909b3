#include "profile/RecordFile.h"

#include <algorithm>

#include "files/InOutError.h"

namespace bv {

RecordReader::RecordReader(const FileHandle& file, std::uint64_t first, std::uint64_t end)
    : file_(file), nextToRead_(first), end_(std::max(first, end)) {}

std::optional<RecordBytes> RecordReader::Next() {
  if (used_ == inBlock_) {
    if (nextToRead_ == end_) return std::nullopt;
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(kRecordsPerBlock, end_ - nextToRead_));
    block_.resize(count * kRecordSize);
    file_.ReadAt(nextToRead_ * kRecordSize, block_);
    nextToRead_ += count;
    inBlock_ = count;
    used_ = 0;
  }
  return RecordBytes(block_.data() + used_++ * kRecordSize, kRecordSize);
}

}  // namespace bv
