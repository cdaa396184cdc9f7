// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigFractions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kFractionLimit = 20;
constexpr int kRowsPerColumn = 8;

const char* const kFractionLabels[kFractionCount] = {
    "1/16", "1/8", "3/16",  "1/4", "5/16",  "3/8", "7/16", "1/2",
    "9/16", "5/8", "11/16", "3/4", "13/16", "7/8", "15/16"};

}  // namespace

CConfigFractions::CConfigFractions(QWidget* parent) : QWidget(parent) {
  auto* columns = new QHBoxLayout;
  QFormLayout* form = nullptr;
  for (int k = 0; k < kFractionCount; ++k) {
    if (k % kRowsPerColumn == 0) {
      form = new QFormLayout;
      form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
      form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
      columns->addLayout(form);
      columns->addSpacing(12);
    }
    m_fractions[k] = new QLineEdit;
    m_fractions[k]->setMaxLength(kFractionLimit);
    m_fractions[k]->setObjectName(QStringLiteral("Fraction%1").arg(k));
    form->addRow(tr(kFractionLabels[k]), m_fractions[k]);
  }
  columns->addStretch();
  m_caseSensitive = new QCheckBox(tr("Case &Sensitive"));
  m_caseSensitive->setObjectName(QStringLiteral("CaseSensitive"));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(m_caseSensitive);
  layout->addStretch();
}
