// The program's own application object (with its general handler) for the whole program, on
// the offscreen platform unless told otherwise.

#include <gtest/gtest.h>

#include "ui/GuardedApplication.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bv::GuardedApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
