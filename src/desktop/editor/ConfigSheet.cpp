// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigSheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "desktop/editor/ConfigColumns.h"
#include "desktop/editor/ConfigFractions.h"
#include "desktop/editor/ConfigMaterials.h"
#include "desktop/editor/ConfigMisc.h"
#include "desktop/StandardButtons.h"

CConfigSheet::CConfigSheet(IPrompts& prompts, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ConfigurationSheet"));
  setWindowTitle(tr("Configuration"));

  m_columns = new CConfigColumns(prompts);
  m_materials = new CConfigMaterials;
  m_fractions = new CConfigFractions;
  m_misc = new CConfigMisc;
  m_tabs = new QTabWidget;
  m_tabs->addTab(m_columns, tr("Columns"));
  m_tabs->addTab(m_materials, tr("Materials"));
  m_tabs->addTab(m_fractions, tr("Fractions"));
  m_tabs->addTab(m_misc, tr("Misc"));

  m_buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  SetStandardMnemonics(*m_buttons);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  layout->addWidget(m_buttons);
}
