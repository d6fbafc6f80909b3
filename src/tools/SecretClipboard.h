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

// Empties the desktop's clipboard. A Wayland compositor may keep its own copy of what its
// owner offered and ignore a clipboard set to nothing (Weston does both), so on Wayland an
// empty text takes the place of the copy; on X11 the selection is given up.
void EmptyClipboard();

// Whether the program draws on Wayland, where a client may set the clipboard only while
// the compositor lets it (some compositors refuse a window without the focus).
bool OnWayland();

// On Wayland, runs the event loop for a moment before the program ends: the request that
// emptied the clipboard on closing must reach the compositor, and the compositor then reads
// the empty text from us. Without it a compositor that keeps its own copy may keep the
// secret. Does nothing elsewhere.
void HandOverClipboardBeforeExit();

}  // namespace bv
