#pragma once
// Message boxes that show their text as it is, never as rich text: file names and paths from
// outside (a handed-over path, a sync tool's conflict copy) may hold markup, and a name such as
// "<h1>Your master password has expired</h1>.bv3" must read as that name, not as a heading.

#include <QMessageBox>
#include <memory>

namespace bv {

// A box titled with the program's name, its text plain, over parent.
std::unique_ptr<QMessageBox> MakePlainBox(QMessageBox::Icon icon, const QString& text,
                                          QMessageBox::StandardButtons buttons, QWidget* parent);

// An error box with an OK button, shown until it is closed.
void ShowPlainError(QWidget* parent, const QString& text);

}  // namespace bv
