// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

class IPrompts;

// The interactive mode of the program: the main dialog and the one per-user
// setting it remembers, the configuration file used last. The setting lives
// in QSettings under the organisation "Orvandel Kelconv", the application
// "Kelconv Conversion Utility" and the key
// "Configuration/LastConfigurationFile".

// The configuration file used last ("" when none was stored).
QString ReadLastConfigurationFile();
void WriteLastConfigurationFile(const QString& path);

// Opens the main dialog with the configuration used last, runs it through
// `prompts` until the user closes it, and stores the configuration path the
// dialog last took from its controls (the value read at opening when no
// action took it). Needs a QApplication. Returns the dialog's result.
int RunInteractiveMode(IPrompts& prompts, const std::string& discardListPath);

// Qt sets the process locale from the environment when the QApplication is
// made; numbers, character classes and collation go back to the C locale's
// rules, so that a conversion gives the same bytes in every locale.
void UseCLocaleRules();
