#pragma once
// Putting a password on the clipboard: plain text, marked with the hint that clipboard
// managers honour by not keeping a history of it.

#include <QString>

class QMimeData;

namespace bv {

inline constexpr const char* kPasswordManagerHintFormat = "x-kde-passwordManagerHint";
inline constexpr const char* kPasswordManagerHintSecret = "secret";

// text/plain with the hint beside it; the caller owns the result.
QMimeData* MakeSecretMimeData(const QString& text);

// Replaces the clipboard's contents with the marked text.
void CopySecretToClipboard(const QString& text);

}  // namespace bv
