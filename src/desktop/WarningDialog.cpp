// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/WarningDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "job/JobUi.h"

CWarningDialog::CWarningDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("WarningDialog"));
  setWindowTitle(QStringLiteral("Warning!"));

  auto* text = new QLabel(QStringLiteral("Output File Exists!"), this);
  text->setAlignment(Qt::AlignCenter);

  m_pOverwrite = new QPushButton(QStringLiteral("&Overwrite"), this);
  m_pOverwrite->setObjectName(QStringLiteral("overwrite"));
  m_pOverwrite->setDefault(true);
  m_pAppend = new QPushButton(QStringLiteral("&Append"), this);
  m_pAppend->setObjectName(QStringLiteral("append"));
  m_pCancel = new QPushButton(QStringLiteral("&Cancel"), this);
  m_pCancel->setObjectName(QStringLiteral("cancel"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_pOverwrite);
  buttons->addWidget(m_pAppend);
  buttons->addWidget(m_pCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_pOverwrite, &QPushButton::clicked, this,
          [this] { done(IJobUi::kAnswerOverwrite); });
  connect(m_pAppend, &QPushButton::clicked, this,
          [this] { done(IJobUi::kAnswerAppend); });
  connect(m_pCancel, &QPushButton::clicked, this, &CWarningDialog::reject);
}

void CWarningDialog::reject() { done(IJobUi::kAnswerCancel); }
