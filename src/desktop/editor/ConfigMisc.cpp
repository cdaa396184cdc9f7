// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigMisc.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CConfigMisc::CConfigMisc(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Search For:")), 0, 0);
  grid->addWidget(new QLabel(tr("Replace With:")), 0, 2);
  for (int i = 0; i < kSearchReplaceCount; ++i) {
    m_search[i] = new QLineEdit;
    m_search[i]->setObjectName(QStringLiteral("SearchFor%1").arg(i));
    m_replace[i] = new QLineEdit;
    m_replace[i]->setObjectName(QStringLiteral("ReplaceWith%1").arg(i));
    grid->addWidget(m_search[i], i + 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("---->")), i + 1, 1);
    grid->addWidget(m_replace[i], i + 1, 2);
  }

  auto* note = new QLabel(
      tr("Items entered in the left column will be replaced with items "
         "entered in the right column when they are found in the remarks and "
         "material columns.  These will be applied before any other "
         "conversion is done."));
  note->setObjectName(QStringLiteral("Note"));
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(12);
  layout->addWidget(note);
  layout->addStretch();
}
