#include "app/HandOverMessage.h"

#include <QtEndian>

namespace bv {
namespace {

void Append(QByteArray& to, std::uint32_t value) {
  char bytes[4];
  qToBigEndian(value, bytes);
  to.append(bytes, 4);
}

// The number at at, when four bytes are there.
std::optional<std::uint32_t> NumberAt(const QByteArray& from, qsizetype at) {
  if (at < 0 || from.size() - at < 4) return std::nullopt;
  return qFromBigEndian<std::uint32_t>(from.constData() + at);
}

}  // namespace

std::optional<QByteArray> EncodeHandOver(const QStringList& arguments) {
  if (arguments.size() > kMostHandOverArguments) return std::nullopt;
  QByteArray payload;
  Append(payload, static_cast<std::uint32_t>(arguments.size()));
  for (const QString& argument : arguments) {
    const QByteArray text = argument.toUtf8();
    if (text.size() > kMostHandOverBytes) return std::nullopt;
    Append(payload, static_cast<std::uint32_t>(text.size()));
    payload.append(text);
  }
  if (payload.size() > kMostHandOverBytes) return std::nullopt;
  QByteArray message;
  Append(message, kHandOverMagic);
  Append(message, static_cast<std::uint32_t>(payload.size()));
  return message + payload;
}

HandOverFrame ReadHandOverFrame(const QByteArray& received) {
  const auto magic = NumberAt(received, 0);
  const auto size = NumberAt(received, 4);
  if (magic && *magic != kHandOverMagic) return {HandOverFrame::State::Refused};
  if (!size) return {};
  if (*size > static_cast<std::uint32_t>(kMostHandOverBytes))
    return {HandOverFrame::State::Refused};
  return {HandOverFrame::State::Whole, kHandOverHeaderSize + static_cast<int>(*size)};
}

std::optional<QStringList> DecodeHandOver(const QByteArray& message) {
  const HandOverFrame frame = ReadHandOverFrame(message);
  if (frame.state != HandOverFrame::State::Whole || frame.size != message.size())
    return std::nullopt;
  qsizetype at = kHandOverHeaderSize;
  const auto count = NumberAt(message, at);
  // Each argument takes four bytes at least: a count that cannot fit is refused before any
  // list is made.
  if (!count || *count > static_cast<std::uint32_t>(kMostHandOverArguments) ||
      *count > static_cast<std::uint32_t>((message.size() - at - 4) / 4))
    return std::nullopt;
  at += 4;
  QStringList arguments;
  arguments.reserve(static_cast<qsizetype>(*count));
  for (std::uint32_t k = 0; k < *count; ++k) {
    const auto size = NumberAt(message, at);
    if (!size || *size > static_cast<std::uint32_t>(message.size() - at - 4)) return std::nullopt;
    at += 4;
    arguments << QString::fromUtf8(message.constData() + at, static_cast<qsizetype>(*size));
    at += static_cast<qsizetype>(*size);
  }
  if (at != message.size()) return std::nullopt;
  return arguments;
}

}  // namespace bv
