// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ExportOptionsDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include "desktop/StandardButtons.h"

CExportOptionsDialog::CExportOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ExportOptionsDialog"));
  setWindowTitle(QStringLiteral("Export options"));

  auto* group = new QGroupBox(this);
  auto* groupLayout = new QVBoxLayout(group);
  const char* const texts[3] = {"&No", "Yes - On&ly once",
                                "Yes - &Before each drawing"};
  auto* buttons = new QButtonGroup(this);
  for (int i = 0; i < 3; ++i) {
    m_pOptions[i] = new QRadioButton(QString::fromLatin1(texts[i]), group);
    m_pOptions[i]->setObjectName(QStringLiteral("headerOption%1").arg(i));
    buttons->addButton(m_pOptions[i], i);
    groupLayout->addWidget(m_pOptions[i]);
  }
  m_pOptions[2]->setChecked(true);

  auto* box = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  SetStandardMnemonics(*box);
  connect(box, &QDialogButtonBox::accepted, this,
          &CExportOptionsDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this,
          &CExportOptionsDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Place column headers in export file?"), this));
  layout->addWidget(group);
  layout->addWidget(box);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The arrow keys then move between the options.
  m_pOptions[2]->setFocus();
}

int CExportOptionsDialog::HeaderOption() const {
  for (int i = 0; i < 3; ++i) {
    if (m_pOptions[i]->isChecked()) return i;
  }
  return 2;
}

void CExportOptionsDialog::SetHeaderOption(int option) {
  if (option < 0 || option >= 3) return;
  m_pOptions[option]->setChecked(true);
  m_pOptions[option]->setFocus();
}

void CExportOptionsDialog::accept() { done(HeaderOption()); }

void CExportOptionsDialog::reject() { done(kCancelled); }
