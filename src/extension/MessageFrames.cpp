#include "extension/MessageFrames.h"

#include <cstring>

namespace bv {

std::string EncodeFrame(std::string_view message) {
  const auto length = static_cast<std::uint32_t>(message.size());
  std::string frame(sizeof length, '\0');
  std::memcpy(frame.data(), &length, sizeof length);
  frame.append(message);
  return frame;
}

void FrameReader::Feed(std::string_view bytes) {
  if (skipping_ > 0) {
    const std::size_t dropped = std::min(skipping_, bytes.size());
    skipping_ -= dropped;
    bytes.remove_prefix(dropped);
  }
  buffer_.append(bytes);
}

std::optional<FrameReader::Frame> FrameReader::Next() {
  if (reportSkipped_ && skipping_ == 0) {
    reportSkipped_ = false;
    return Frame{{}, true};
  }
  if (skipping_ > 0 || buffer_.size() < sizeof(std::uint32_t)) return std::nullopt;
  std::uint32_t length = 0;
  std::memcpy(&length, buffer_.data(), sizeof length);
  if (length > kMaxMessageBytes) {
    const std::size_t held = buffer_.size() - sizeof length;
    if (held >= length) {
      buffer_.erase(0, sizeof length + length);
      return Frame{{}, true};
    }
    skipping_ = length - held;
    buffer_.clear();
    reportSkipped_ = true;
    return std::nullopt;
  }
  if (buffer_.size() - sizeof length < length) return std::nullopt;
  Frame frame{buffer_.substr(sizeof length, length), false};
  buffer_.erase(0, sizeof length + length);
  return frame;
}

}  // namespace bv
