#pragma once
// One QApplication for the whole test program, on the offscreen platform unless told otherwise.

#include <QApplication>

namespace bv::test {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "test_config_gui";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: a QApplication must not outlive main() in static destruction.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace bv::test
