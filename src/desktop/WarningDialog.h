// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

// "Warning!": asks what to do with an output file that exists. Ends with
// IJobUi::kAnswerOverwrite (1), kAnswerAppend (1066) or kAnswerCancel (2),
// Cancel also when the dialog is closed without a choice. Overwrite is the
// default button.
class CWarningDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CWarningDialog(QWidget* parent = nullptr);

  QPushButton* OverwriteButton() const { return m_pOverwrite; }
  QPushButton* AppendButton() const { return m_pAppend; }
  QPushButton* CancelButton() const { return m_pCancel; }

  void reject() override;

 private:
  QPushButton* m_pOverwrite;
  QPushButton* m_pAppend;
  QPushButton* m_pCancel;
};
