#pragma once
// The message a later start sends to the running program: its command line, framed so that
// the running program knows its whole size from the first eight bytes and refuses anything
// larger than a command line can be before reading it.
//
//   magic (4 bytes) | payload size (4) | payload
//   payload: argument count (4) | per argument: size in bytes (4) | UTF-8 text
//
// Numbers are big-endian. A payload holds at most kMostHandOverBytes bytes and
// kMostHandOverArguments arguments; anything else is refused whole.

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace bv {

inline constexpr std::uint32_t kHandOverMagic = 0x42563302;  // "BV3" and the protocol's version
inline constexpr int kHandOverHeaderSize = 8;
inline constexpr int kMostHandOverBytes = 64 * 1024;
inline constexpr int kMostHandOverArguments = 256;

// The whole message; nothing when the command line does not fit.
[[nodiscard]] std::optional<QByteArray> EncodeHandOver(const QStringList& arguments);

// What the first bytes received say about the message.
struct HandOverFrame {
  enum class State {
    Incomplete,  // more bytes are needed to know
    Whole,       // size: header and payload together
    Refused,     // not our magic, or larger than a command line can be
  };
  State state = State::Incomplete;
  int size = 0;
};
[[nodiscard]] HandOverFrame ReadHandOverFrame(const QByteArray& received);

// The arguments of a whole message (header included); nothing when it is malformed.
[[nodiscard]] std::optional<QStringList> DecodeHandOver(const QByteArray& message);

}  // namespace bv
