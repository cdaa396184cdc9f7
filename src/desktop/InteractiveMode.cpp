// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/InteractiveMode.h"

#include <clocale>

#include "desktop/MainDialog.h"
#include "desktop/Prompts.h"

int RunInteractiveMode(IPrompts& prompts, const std::string& discardListPath) {
  CMainDialog dialog(prompts, discardListPath);
  dialog.SetConfigFile(ReadLastConfigurationFile());
  SDialogFields fields;
  if (ReadDialogFields(fields)) dialog.SetFields(fields);
  const int result = prompts.RunDialog(dialog);
  WriteDialogFields(dialog.Fields());
  WriteLastConfigurationFile(dialog.ConfigFile());
  return result;
}

void UseCLocaleRules() {
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_CTYPE, "C");
  std::setlocale(LC_COLLATE, "C");
}
