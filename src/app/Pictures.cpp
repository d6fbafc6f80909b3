#include "app/Pictures.h"

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace bv {
namespace {

QString TwoDigitPath(const char* list, int index) {
  return QStringLiteral(":/%1/%2.png").arg(QLatin1String(list)).arg(index, 2, 10, QLatin1Char('0'));
}

// Both drawings, each by its own size: QIcon(path) alone takes the @2x file only when the
// program starts on a high-density screen, and would scale up the 16x16 one on any other.
QIcon BothSizes(const QString& path) {
  QIcon icon;
  icon.addFile(path, QSize(16, 16));
  icon.addFile(QString(path).replace(QLatin1String(".png"), QLatin1String("@2x.png")), QSize(32, 32));
  return icon;
}

// Whoever links this file gets the pictures registered, before any window exists.
const bool kRegisteredAtStart = (RegisterPictures(), true);

}  // namespace

void RegisterPictures() {
  static const bool registered = (InitPictureResources(), true);
  (void)registered;
  (void)kRegisteredAtStart;
}

QString NodePicturePath(int index) { return TwoDigitPath("nodes", index); }
QString ButtonPicturePath(int index) { return TwoDigitPath("buttons", index); }

QIcon NodePicture(int index) {
  if (index < 0 || index >= kNodePictureCount) return {};
  RegisterPictures();
  return BothSizes(NodePicturePath(index));
}

QIcon ButtonPicture(int index) {
  if (index < 0 || index >= kButtonPictureCount) return {};
  RegisterPictures();
  return BothSizes(ButtonPicturePath(index));
}

}  // namespace bv
