#pragma once
// The picture lists of the main window, as Qt resources: the 26 node pictures
// (ImgCuentasGrupos, ":/nodes/00.png".."25.png") and the button pictures (ImgBotones,
// ":/buttons/00.png".., 28 the field bullet and 29 the link bullet of the detail view).

#include <QIcon>
#include <QString>

#include "ui/NodePictureCount.h"

namespace bv {

inline constexpr int kButtonPictureCount = 34;

// Makes the pictures reachable by their resource paths. The resources sit in a static
// library, where nothing else would pull them into the program; idempotent.
void RegisterPictures();

QString NodePicturePath(int index);
QString ButtonPicturePath(int index);
// An empty icon for a number outside the list (a damaged ImageIndex draws no picture).
QIcon NodePicture(int index);
QIcon ButtonPicture(int index);

}  // namespace bv
