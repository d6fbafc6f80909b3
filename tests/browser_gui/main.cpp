// One QApplication for the whole program, on the offscreen platform unless told otherwise,
// in a temporary program folder so that no real settings file is touched.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>

#include "config/ProgramPaths.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Q_INIT_RESOURCE(pictures);  // the node pictures live in the static library
  const auto folder =
      std::filesystem::temp_directory_path() / ("bv-editing-gui-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  bv::SetProgramDir(folder);
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::filesystem::remove_all(folder);
  return result;
}
