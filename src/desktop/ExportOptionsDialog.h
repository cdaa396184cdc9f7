// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QRadioButton;

// "Export options": where the export file gets column headers. OK ends the
// dialog with the chosen header option (0 no headers, 1 once, 2 before each
// drawing; 2 is chosen when it opens), Cancel or closing it with -1. The
// chosen option has the focus.
class CExportOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CExportOptionsDialog(QWidget* parent = nullptr);

  // The header option of the radio button that is checked.
  int HeaderOption() const;
  // Checks the radio button of `option` (0, 1 or 2) and gives it the focus.
  void SetHeaderOption(int option);

  void accept() override;
  void reject() override;

  static constexpr int kCancelled = -1;

 private:
  QRadioButton* m_pOptions[3];
};
