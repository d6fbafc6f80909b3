#pragma once
// Reading a profile file record by record.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "files/FileHandle.h"
#include "profile/RecordLayout.h"

namespace bv {

// Reads records [first, end) in order, a block of records at a time: one pass over the file
// with a small fixed buffer, however large the profile.
class RecordReader {
 public:
  RecordReader(const FileHandle& file, std::uint64_t first, std::uint64_t end);
  // The next record, valid until the following call; empty after the last one.
  [[nodiscard]] std::optional<RecordBytes> Next();

 private:
  static constexpr std::size_t kRecordsPerBlock = 64;
  const FileHandle& file_;
  std::uint64_t nextToRead_;
  std::uint64_t end_;
  std::vector<std::uint8_t> block_;
  std::size_t inBlock_ = 0;
  std::size_t used_ = 0;
};

// Number of whole records in a file of the given size (a trailing part is ignored).
[[nodiscard]] inline std::uint64_t WholeRecords(std::uint64_t fileSize) {
  return fileSize / kRecordSize;
}

}  // namespace bv
