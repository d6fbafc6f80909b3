#pragma once
// Native messaging frames: a 32-bit length in the machine's byte order, then that many bytes
// of JSON. The browser speaks them on the host's standard input and output; the host and the
// program speak them on their socket too. A frame over 1 MiB is skipped unread and reported.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bv {

inline constexpr std::size_t kMaxMessageBytes = 1024 * 1024;

// The bytes of one frame holding message.
[[nodiscard]] std::string EncodeFrame(std::string_view message);

class FrameReader {
 public:
  struct Frame {
    std::string message;    // empty when tooLarge
    bool tooLarge = false;  // its bytes were skipped
  };

  void Feed(std::string_view bytes);
  // The next whole frame, or nothing until more bytes come.
  std::optional<Frame> Next();
  // Bytes held that do not make a whole frame yet.
  [[nodiscard]] std::size_t Pending() const { return buffer_.size(); }

 private:
  std::string buffer_;
  std::size_t skipping_ = 0;  // bytes of an oversized frame still to drop
  bool reportSkipped_ = false;
};

}  // namespace bv
