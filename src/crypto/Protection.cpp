#include "crypto/Protection.h"

#include <algorithm>
#include <istream>
#include <vector>

#include "crypto/Bytes.h"
#include "crypto/Exceptions.h"
#include "crypto/FormatRegistry.h"
#include "crypto/MemoryStream.h"

namespace bv {

TProtection::TProtection(std::shared_ptr<TProtection> next) { SetNext(std::move(next)); }

TProtection::~TProtection() = default;

void TProtection::SetNext(std::shared_ptr<TProtection> next) {
  if (next == next_) return;
  for (const TProtection* link = next.get(); link != nullptr; link = link->next_.get()) {
    if (link == this) throw CircularProtection();
  }
  next_ = std::move(next);
}

void TProtection::StartAction(TProtectionAction action) {
  if (next_) next_->StartAction(action);
}

void TProtection::FinishAction(TProtectionAction action) {
  if (next_) next_->FinishAction(action);
}

void TProtection::ProcessBuffer(void* buffer, std::size_t size, TProtectionAction action) {
  if (next_) next_->ProcessBuffer(buffer, size, action);
}

void TProtection::ProcessStream(std::iostream* source, std::iostream* destination,
                                TProtectionAction action, std::int64_t size) {
  if (source == nullptr) return;
  if (destination == nullptr) destination = source;
  if (size < 0) {
    source->seekg(0, std::ios_base::end);
    size = static_cast<std::int64_t>(source->tellg());
    source->seekg(0, std::ios_base::beg);
    if (size < 0) size = 0;
  }
  StartAction(action);
  std::vector<char> chunk(kChunkSize);
  // The chunk holds plain text in one direction or the other: wipe it on every way out.
  const auto release = [&chunk] { WipeBytes(chunk.data(), 0, chunk.size()); };
  try {
    while (size > 0) {
      const auto wanted = static_cast<std::streamsize>(std::min<std::int64_t>(size, kChunkSize));
      source->read(chunk.data(), wanted);
      const std::streamsize got = source->gcount();
      if (got <= 0) break;
      // A short read at the end of the source must not stop the write into the same stream.
      if (!*source) source->clear();
      ProcessBuffer(chunk.data(), static_cast<std::size_t>(got), action);
      if (action != actCalculate) destination->write(chunk.data(), got);
      size -= got;
    }
  } catch (...) {
    release();
    FinishAction(action);
    throw;
  }
  release();
  FinishAction(action);
}

std::string TProtection::ProcessText(std::string_view text, TProtectionAction action,
                                     std::int32_t formatId) {
  if (text.empty()) return {};
  std::string bytes = action == actDecipher ? DecodeFromFormat(text, formatId) : std::string(text);
  MemoryStream stream(bytes.data(), bytes.size());
  try {
    ProcessStream(&stream, &stream, action, static_cast<std::int64_t>(bytes.size()));
  } catch (...) {
    WipeBytes(bytes.data(), 0, bytes.size());
    throw;
  }
  if (action == actDecipher) return bytes;
  std::string result = EncodeToFormat(bytes, formatId);
  WipeBytes(bytes.data(), 0, bytes.size());
  return result;
}

std::size_t TProtection::ProcessData(void* buffer, std::size_t size, TProtectionAction action) {
  StartAction(action);
  ProcessBuffer(buffer, size, action);
  FinishAction(action);
  return size;
}

}  // namespace bv
