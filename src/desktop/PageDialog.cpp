// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/PageDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CPageDialog::CPageDialog(QWidget* parent, int pages) : QDialog(parent) {
  setObjectName(QStringLiteral("PageDialog"));
  setWindowTitle(QStringLiteral("Page"));
  m_pPage = new QSpinBox(this);
  m_pPage->setObjectName(QStringLiteral("page"));
  m_pPage->setRange(1, pages);
  m_pPage->setValue(1);

  auto* box = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(box, &QDialogButtonBox::accepted, this, &CPageDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &CPageDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Page (of %1):").arg(pages), m_pPage);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("The PDF holds %1 drawings, one a page.").arg(pages), this));
  layout->addLayout(form);
  layout->addWidget(box);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CPageDialog::accept() { done(m_pPage->value()); }

void CPageDialog::reject() { done(kCancelled); }
