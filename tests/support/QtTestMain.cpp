// SPDX-License-Identifier: GPL-3.0-or-later
// main() for the desktop program's tests: a QApplication on the headless
// "offscreen" platform (unless QT_QPA_PLATFORM asks for another), then every
// GoogleTest test. The program's settings go to a directory of this run,
// never to the user's (a test that needs an empty store makes its own with
// UseTemporarySettings).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  const QTemporaryDir settings;
  QStandardPaths::setTestModeEnabled(true);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     settings.path());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
