#include "app/Pictures.h"

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace bv {
namespace {

QString TwoDigitPath(const char* list, int index) {
  return QStringLiteral(":/%1/%2.png").arg(QLatin1String(list)).arg(index, 2, 10, QLatin1Char('0'));
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
  return QIcon(NodePicturePath(index));
}

QIcon ButtonPicture(int index) {
  if (index < 0 || index >= kButtonPictureCount) return {};
  RegisterPictures();
  return QIcon(ButtonPicturePath(index));
}

}  // namespace bv
