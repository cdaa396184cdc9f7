// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class IPrompts;
class QWidget;

// The "Edit..." action of the main dialog: edits the configuration file at
// `path` (taken as given, untrimmed) in the modal "Configuration" sheet.
//
// The file is loaded when it can be opened; otherwise (no such file, empty
// path) the sheet starts from the default settings and nothing is said. A
// damaged file is reported in a message box that names it; the sheet does
// not open and the file is left alone. The sheet, titled "Configuration -"
// and the file's name, runs through prompts.RunDialog. After OK the configuration is stored at `path` as a
// version 6 file; when that fails, or `path` is empty, a message box says
// that the configuration was not saved. After Cancel nothing is written.
// Every message box goes through `prompts` with `parent` as its parent.
void EditConfiguration(QWidget* parent, IPrompts& prompts, const QString& path);
