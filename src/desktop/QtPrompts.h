// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "desktop/Prompts.h"

// The desktop program's own answers to its modal questions: QMessageBox with
// one OK button, QDialog::exec, and Qt's file dialogs (which never change the
// process's current directory).
//
// GetOpenFileName lets the user name a file that does not exist yet, after
// confirming that it is to be created; a new name without a suffix gets the
// first pattern's suffix of the filter (".cfg" for "(*.cfg)").
// GetSaveFileName does not ask before an existing file is chosen: what
// happens to it is decided when it is written. AskYesNo answers No to
// Enter and Escape. The choosers open large enough for the Size column of
// their detail view (within the screen).
class CQtPrompts : public IPrompts {
 public:
  void ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                   MessageLevel level) override;
  bool AskYesNo(QWidget* parent, const QString& text,
                const QString& caption) override;
  int RunDialog(QDialog& dialog) override;
  QStringList GetOpenFileNames(QWidget* parent, const QString& caption,
                               const QString& startPath,
                               const QString& filter) override;
  QString GetOpenFileName(QWidget* parent, const QString& caption,
                          const QString& startPath,
                          const QString& filter) override;
  QString GetSaveFileName(QWidget* parent, const QString& caption,
                          const QString& startPath, const QString& filter,
                          const QString& defaultSuffix) override;
};

class QFileDialog;
class QMessageBox;

// Widens `box` so that its title bar has room for its caption ("File
// Saved" over the text "Success").
void FitCaption(QMessageBox& box);
// Sizes `chooser` as the choosers open: 900 by 540, within the screen of
// its parent.
void SizeChooser(QFileDialog& chooser);

// The suffix (without the dot) of the first pattern of a Qt filter:
// "cfg" for "Configuration Files (*.cfg);;All Files (*)", "" when the first
// pattern has no plain suffix.
QString FirstFilterSuffix(const QString& filter);
