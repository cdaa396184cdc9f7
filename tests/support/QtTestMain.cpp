// SPDX-License-Identifier: GPL-3.0-or-later
// main() for the desktop program's tests: a QApplication on the headless
// "offscreen" platform (unless QT_QPA_PLATFORM asks for another), then every
// GoogleTest test.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
