// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigEditor.h"

#include <QDialog>
#include <QFile>
#include <stdexcept>
#include <string>

#include "desktop/AppTexts.h"
#include "desktop/Prompts.h"
#include "config/Archive.h"
#include "config/Configuration.h"
#include "desktop/editor/ConfigSheet.h"
#include "desktop/editor/ConfigTransfer.h"
#include "desktop/editor/EditorText.h"
#include "writers/OutputFile.h"

namespace {

// Writes `config` to `file` whole or not at all: a full disk or a crash
// while saving leaves the old configuration as it was.
bool SaveConfiguration(const std::string& file, const CConfiguration& config) {
  CArchive archive;
  try {
    config.Store(archive);
  } catch (const std::length_error&) {
    return false;
  }
  return ReplaceWholeFile(file, archive.Buffer()) == 0;
}

}  // namespace

void EditConfiguration(QWidget* parent, IPrompts& prompts,
                       const QString& path) {
  const QString caption = QString::fromLatin1(kAppTitle);
  const std::string file = QFile::encodeName(path).toStdString();

  CConfiguration config;
  try {
    // A file that cannot be opened is a new configuration.
    if (LoadConfigurationFile(file, config) != 0) config.ResetToDefaults();
  } catch (const CArchiveException&) {
    prompts.ShowMessage(parent,
                        QStringLiteral("The configuration file \"%1\" is "
                                       "damaged and cannot be edited.")
                            .arg(path),
                        caption, MessageLevel::kError);
    return;
  }

  CConfigSheet sheet(prompts, parent);
  sheet.setWindowTitle(TitleWithFile("Configuration", path));
  CopyToSheet(config, sheet);
  if (prompts.RunDialog(sheet) != QDialog::Accepted) return;

  if (path.isEmpty()) {
    prompts.ShowMessage(parent,
                        QStringLiteral("No configuration file name was given; "
                                       "the configuration was not saved."),
                        caption, MessageLevel::kWarning);
    return;
  }
  CopyFromSheet(config, sheet);
  if (!SaveConfiguration(file, config)) {
    prompts.ShowMessage(parent,
                        QStringLiteral("The configuration file \"%1\" could "
                                       "not be written; the configuration was "
                                       "not saved.")
                            .arg(path),
                        caption, MessageLevel::kError);
  }
}
