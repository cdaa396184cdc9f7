// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The per-user settings of the desktop program, in QSettings under the
// organisation "Orvandel Kelconv" and the application "Kelconv Conversion
// Utility":
//   Configuration/LastConfigurationFile  the configuration path that the
//                                        main dialog's last action took
//   Fields/InputFile, Fields/OutputFile, Fields/ConfigFile,
//   Fields/InvertX, Fields/InvertY       the main dialog's fields as it was
//                                        closed
//   Recent/InputFiles, Recent/ConfigFiles  the last input patterns and
//                                        configuration files, newest first
//   Folders/<chooser>                    the folder a file chooser was last
//                                        used in
// Every call reads or writes the store at once; nothing is kept in between.

// The configuration file used last ("" when none was stored).
QString ReadLastConfigurationFile();
void WriteLastConfigurationFile(const QString& path);

// The main dialog's fields.
struct SDialogFields {
  QString input;
  QString output;
  QString config;
  bool invertX = false;
  bool invertY = false;
};
// False (and `fields` untouched) when no fields were ever stored.
bool ReadDialogFields(SDialogFields& fields);
void WriteDialogFields(const SDialogFields& fields);

enum class RecentList { kInputs, kConfigurations };
inline constexpr int kRecentCount = 8;
QStringList ReadRecent(RecentList list);
// Puts `entry` at the front of `list` (once; an older copy goes), keeping
// the newest kRecentCount. An empty entry changes nothing.
void AddRecent(RecentList list, const QString& entry);
// The same on a list in memory.
QStringList WithRecent(QStringList list, const QString& entry);

// The folder chooser `chooser` ("Input", "Output", "Config", "Save") was
// last used in, "" when none.
QString ReadChooserFolder(const char* chooser);
void WriteChooserFolder(const char* chooser, const QString& folder);
