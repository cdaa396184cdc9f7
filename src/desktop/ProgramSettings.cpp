// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ProgramSettings.h"

#include <QSettings>
#include <memory>

#include "desktop/AppTexts.h"

namespace {

QString Key(const char* key) { return QString::fromLatin1(key); }

const char* RecentKey(RecentList list) {
  return list == RecentList::kInputs ? "Recent/InputFiles"
                                     : "Recent/ConfigFiles";
}

// The program's store (a QSettings can be neither copied nor moved).
std::unique_ptr<QSettings> Store() {
  return std::make_unique<QSettings>(QString::fromLatin1(kSettingsOrganisation),
                                     QString::fromLatin1(kSettingsApplication));
}

}  // namespace

QString ReadLastConfigurationFile() {
  const auto settings = Store();
  return settings->value(Key(kSettingsLastConfigKey)).toString();
}

void WriteLastConfigurationFile(const QString& path) {
  const auto settings = Store();
  settings->setValue(Key(kSettingsLastConfigKey), path);
}

bool ReadDialogFields(SDialogFields& fields) {
  const auto settings = Store();
  settings->beginGroup(Key("Fields"));
  if (!settings->contains(Key("InputFile"))) return false;
  fields.input = settings->value(Key("InputFile")).toString();
  fields.output = settings->value(Key("OutputFile")).toString();
  fields.config = settings->value(Key("ConfigFile")).toString();
  fields.invertX = settings->value(Key("InvertX")).toBool();
  fields.invertY = settings->value(Key("InvertY")).toBool();
  return true;
}

void WriteDialogFields(const SDialogFields& fields) {
  const auto settings = Store();
  settings->beginGroup(Key("Fields"));
  settings->setValue(Key("InputFile"), fields.input);
  settings->setValue(Key("OutputFile"), fields.output);
  settings->setValue(Key("ConfigFile"), fields.config);
  settings->setValue(Key("InvertX"), fields.invertX);
  settings->setValue(Key("InvertY"), fields.invertY);
}

QStringList WithRecent(QStringList list, const QString& entry) {
  if (entry.isEmpty()) return list;
  list.removeAll(entry);
  list.prepend(entry);
  while (list.size() > kRecentCount) list.removeLast();
  return list;
}

QStringList ReadRecent(RecentList list) {
  const auto settings = Store();
  return settings->value(Key(RecentKey(list))).toStringList();
}

void AddRecent(RecentList list, const QString& entry) {
  if (entry.isEmpty()) return;
  const auto settings = Store();
  settings->setValue(
      Key(RecentKey(list)),
      WithRecent(settings->value(Key(RecentKey(list))).toStringList(), entry));
}

QString ReadChooserFolder(const char* chooser) {
  const auto settings = Store();
  settings->beginGroup(Key("Folders"));
  return settings->value(Key(chooser)).toString();
}

void WriteChooserFolder(const char* chooser, const QString& folder) {
  const auto settings = Store();
  settings->beginGroup(Key("Folders"));
  settings->setValue(Key(chooser), folder);
}
