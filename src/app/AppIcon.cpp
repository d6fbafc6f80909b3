#include "app/AppIcon.h"

#include <QApplication>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitAppIconResources() { Q_INIT_RESOURCE(appicon); }

namespace bv {

QIcon ApplicationIcon() {
  InitAppIconResources();
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/appicon/%1.png").arg(size), QSize(size, size));
  return icon;
}

void InstallApplicationIcon() { QApplication::setWindowIcon(ApplicationIcon()); }

}  // namespace bv
