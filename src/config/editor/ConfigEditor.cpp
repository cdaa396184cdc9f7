#include "config/editor/ConfigEditor.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QVBoxLayout>
#include <string>

#include "app/Prompts.h"
#include "config/Archive.h"
#include "config/Configuration.h"

namespace {

const QString kCaption = QStringLiteral("Kelconv Conversion Utility");

}  // namespace

void EditConfiguration(QWidget* parent, IPrompts& prompts,
                       const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  CConfiguration config;
  try {
    if (LoadConfigurationFile(file, config) != 0) config.ResetToDefaults();
  } catch (const CArchiveException&) {
    prompts.ShowMessage(
        parent,
        QStringLiteral("The configuration file \"%1\" is damaged and cannot "
                       "be read.")
            .arg(path),
        kCaption);
    return;
  }

  QDialog sheet(parent);
  sheet.setWindowTitle(QStringLiteral("Configuration"));
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(&sheet);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &sheet,
                   &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &sheet,
                   &QDialog::reject);
  if (prompts.RunDialog(sheet) != QDialog::Accepted) return;

  if (path.isEmpty()) {
    prompts.ShowMessage(parent,
                        QStringLiteral("No file name was given for the "
                                       "configuration; it was not saved."),
                        kCaption);
    return;
  }
  if (StoreConfigurationFile(file, config) != 0) {
    prompts.ShowMessage(
        parent,
        QStringLiteral("The configuration file \"%1\" could not be written; "
                       "the configuration was not saved.")
            .arg(path),
        kCaption);
  }
}
