// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/AboutDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "desktop/ProgramIcon.h"
#include "desktop/StandardButtons.h"
#include "input/ProgramDirectory.h"
#include "job/CommandLine.h"

QString LicenseLine(const QString& programDirectory) {
  const QString copyright = QDir::cleanPath(
      programDirectory + QStringLiteral("/../share/doc/kelconv/copyright"));
  return QStringLiteral(
             "Licensed under the GNU GPL, version 3 or later; see ") +
         (QFileInfo(copyright).isFile()
              ? copyright
              : QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html"));
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(ProgramIcon());

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* version = new QLabel(QString::fromLatin1(VersionText()), this);
  version->setObjectName(QStringLiteral("version"));
  auto* license =
      new QLabel(LicenseLine(QString::fromLocal8Bit(ProgramDirectory())), this);
  license->setObjectName(QStringLiteral("license"));
  license->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  SetStandardMnemonics(*box);
  connect(box, &QDialogButtonBox::accepted, this, &CAboutDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->setColumnMinimumWidth(1, 160);
  layout->addWidget(license, 1, 1);
  layout->addWidget(box, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
