// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "desktop/ProgramSettings.h"

class IPrompts;

// The interactive mode of the program: the main dialog and what it keeps in
// the per-user settings (ProgramSettings.h).

// Opens the main dialog with the configuration used last, and its fields as
// they were when it was last closed (the configuration field shows the
// configuration used last when no fields were stored), runs it through
// `prompts` until the user closes it, then stores its fields as they are
// and the configuration path the dialog last took from its controls (the
// value read at opening when no action took it). Needs a QApplication.
// Returns the dialog's result.
int RunInteractiveMode(IPrompts& prompts, const std::string& discardListPath);

// Qt sets the process locale from the environment when the QApplication is
// made; numbers, character classes and collation go back to the C locale's
// rules, so that a conversion gives the same bytes in every locale.
void UseCLocaleRules();
