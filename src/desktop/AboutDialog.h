// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// "About": the program's icon, the version line "Kelconv 3.0" and OK.
class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(QWidget* parent = nullptr);
};
