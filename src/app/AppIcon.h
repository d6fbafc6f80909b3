#pragma once
// The application icon: the vault door of data/icons, at every size the hicolor theme
// installs, carried by every window of the program.

#include <QIcon>

namespace bv {

QIcon ApplicationIcon();
// Makes it the icon of every window, present and future (QApplication::setWindowIcon).
void InstallApplicationIcon();

}  // namespace bv
