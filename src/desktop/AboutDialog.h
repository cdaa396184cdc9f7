// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

// The About box's license line: "Licensed under the GNU GPL, version 3 or
// later; see " and where to read it: the copyright file installed with the
// program, <programDirectory>/../share/doc/kelconv/copyright, when it is
// there, or else the license's address on the web.
QString LicenseLine(const QString& programDirectory);

// "About": the program's icon, the version line "Kelconv 3.0", the license
// line of the running program and OK.
class CAboutDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDialog(QWidget* parent = nullptr);
};
