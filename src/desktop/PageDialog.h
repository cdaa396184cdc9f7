// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QSpinBox;

// "Page": which page of a PDF of several pages the preview or the display
// shows. It opens on page 1; OK ends it with the chosen page (from 1),
// Cancel or closing it with 0.
class CPageDialog : public QDialog {
  Q_OBJECT

 public:
  CPageDialog(QWidget* parent, int pages);

  void accept() override;
  void reject() override;

  static constexpr int kCancelled = 0;

 private:
  QSpinBox* m_pPage;
};
