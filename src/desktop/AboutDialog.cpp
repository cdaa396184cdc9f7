// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "job/CommandLine.h"
#include "desktop/ProgramIcon.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutDialog"));
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(ProgramIcon());

  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* version = new QLabel(QString::fromLatin1(VersionText()), this);
  version->setObjectName(QStringLiteral("version"));
  auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(box, &QDialogButtonBox::accepted, this, &CAboutDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(version, 0, 1, Qt::AlignVCenter);
  layout->setColumnMinimumWidth(1, 160);
  layout->addWidget(box, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
