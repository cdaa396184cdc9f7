// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/InteractiveMode.h"

#include <QSettings>
#include <clocale>

#include "desktop/AppTexts.h"
#include "desktop/MainDialog.h"
#include "desktop/Prompts.h"

QString ReadLastConfigurationFile() {
  return QSettings(QString::fromLatin1(kSettingsOrganisation),
                   QString::fromLatin1(kSettingsApplication))
      .value(QString::fromLatin1(kSettingsLastConfigKey))
      .toString();
}

void WriteLastConfigurationFile(const QString& path) {
  QSettings settings(QString::fromLatin1(kSettingsOrganisation),
                     QString::fromLatin1(kSettingsApplication));
  settings.setValue(QString::fromLatin1(kSettingsLastConfigKey), path);
}

int RunInteractiveMode(IPrompts& prompts, const std::string& discardListPath) {
  CMainDialog dialog(prompts, discardListPath);
  dialog.SetConfigFile(ReadLastConfigurationFile());
  const int result = prompts.RunDialog(dialog);
  WriteLastConfigurationFile(dialog.ConfigFile());
  return result;
}

void UseCLocaleRules() {
  std::setlocale(LC_NUMERIC, "C");
  std::setlocale(LC_CTYPE, "C");
  std::setlocale(LC_COLLATE, "C");
}
