#pragma once
// What a screen reader reads of a translated window, taken from the same language file: the
// tool bar's buttons are named by their action's caption (or its hint where the caption is
// only the action's internal name) and described by its long hint; a text box inside an
// editable list is named by the list's label; a box without a label of its own inside a
// framed group is named by the group's title; the main window's tree and page, which have no
// caption, are named and described by messages. Password boxes need nothing: the toolkit
// never hands their text to accessibility.

class QWidget;

namespace bv {

// Called by TranslateWindow once the window's texts and the message table are current.
void NameForScreenReaders(QWidget* window);

}  // namespace bv
