// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files for the desktop program's tests: a configuration that reads the
// drawings below, and helpers to lay drawings out in a temporary directory.

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>

#include "TempDir.h"
#include "TestConfiguration.h"

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

// A table drawn top down: a title, four headers, two items with a
// decimal height so that number scanning matters. (No x is 0: a text at
// x 0 would stand at (y, z).)
inline const char* const kTopDownDrawing =
    "(5 100 0),BILL OF MATERIAL\r\n"
    "(5 90 0),MARK\r\n(15 90 0),QTY\r\n(25 90 0),DESCRIPTION\r\n"
    "(45 90 0),LENGTH\r\n"
    "(5 80 0),B1\r\n(15 80 0),2\r\n(25 80 0),W8X31\r\n(45 80 0),12'-6\r\n"
    "(5 70.5 0),B2\r\n(15 70.5 0),1\r\n(25 70.5 0),W12X26\r\n"
    "(45 70.5 0),20'\r\n";

// The same kind of table drawn from the bottom upwards: the headers are the
// lowest texts.
inline const char* const kBottomUpDrawing =
    "(5 10 0),MARK\r\n(15 10 0),QTY\r\n(25 10 0),DESCRIPTION\r\n"
    "(45 10 0),LENGTH\r\n"
    "(5 20 0),C1\r\n(15 20 0),3\r\n(25 20 0),L4X4X1/2\r\n(45 20 0),8'-4\r\n"
    "(5 30 0),C2\r\n(15 30 0),4\r\n(25 30 0),PL1/2X12\r\n(45 30 0),2'\r\n";

// Texts that no configuration column matches.
inline const char* const kForeignDrawing = "(6 9 0),ITEM\r\n(6 8 0),1\r\n";

// Makes the directory `name` (and its parents) in `dir`; returns its path.
inline std::string MakeDirectory(const TempDir& dir, const std::string& name) {
  const std::string path = dir.Path(name);
  std::filesystem::create_directories(path);
  return path;
}

// Points every per-user QSettings (the program's own and Qt's, such as the
// file dialog's history) into `dir`, never at the user's real settings.
inline void UseTemporarySettings(const TempDir& dir) {
  QStandardPaths::setTestModeEnabled(true);
  const QString path = QString::fromStdString(dir.Path("settings"));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
}
