// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Details": the conversion report behind a preview, as read-only text in
// a fixed-pitch font without line wrapping, with "Close".
class CReportDialog : public QDialog {
  Q_OBJECT

 public:
  CReportDialog(QWidget* parent, const QString& report);

  QPlainTextEdit* TextBox() const { return m_pText; }

 private:
  QPlainTextEdit* m_pText;
};
