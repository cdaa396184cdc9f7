// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class CConfigColumns;
class CConfigFractions;
class CConfigMaterials;
class CConfigMisc;
class IPrompts;
class QDialogButtonBox;
class QTabWidget;

// The modal "Configuration" sheet: the pages "Columns", "Materials",
// "Fractions" and "Misc" in this order, opening on the first, with OK and
// Cancel (no Apply). The sheet owns its pages; they start empty and are
// filled by CopyToSheet. The Columns page shows its messages through
// `prompts`, which must outlive the sheet.
class CConfigSheet : public QDialog {
  Q_OBJECT

 public:
  explicit CConfigSheet(IPrompts& prompts, QWidget* parent = nullptr);

  CConfigColumns* Columns() const { return m_columns; }
  CConfigMaterials* Materials() const { return m_materials; }
  CConfigFractions* Fractions() const { return m_fractions; }
  CConfigMisc* Misc() const { return m_misc; }
  QTabWidget* Tabs() const { return m_tabs; }
  QDialogButtonBox* Buttons() const { return m_buttons; }

 private:
  CConfigColumns* m_columns;
  CConfigMaterials* m_materials;
  CConfigFractions* m_fractions;
  CConfigMisc* m_misc;
  QTabWidget* m_tabs;
  QDialogButtonBox* m_buttons;
};
