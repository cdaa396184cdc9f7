// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "job/JobUi.h"

class QDialog;
class QWidget;

// Every modal question of the desktop program goes through this seam: message
// boxes, file choosers and the program's own modal dialogs. The program uses
// CQtPrompts; tests supply a scripted implementation, so that every action
// runs headless without blocking.
class IPrompts {
 public:
  virtual ~IPrompts() = default;

  // A message box with one OK button. `caption` is the window title;
  // `level` chooses the icon (information only for success).
  virtual void ShowMessage(QWidget* parent, const QString& text,
                           const QString& caption, MessageLevel level) = 0;

  // A question with the buttons Yes and No (No when the box is closed).
  // Returns true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text,
                        const QString& caption) = 0;

  // Runs a modal dialog and returns its result (what QDialog::exec returns,
  // or the value the dialog was ended with by done()).
  virtual int RunDialog(QDialog& dialog) = 0;

  // File choosers. `filter` is in Qt's form ("Description (*.ext);;..."). An
  // empty result (or list) means the user cancelled. None of them changes
  // the current directory.
  virtual QStringList GetOpenFileNames(QWidget* parent, const QString& caption,
                                       const QString& startPath,
                                       const QString& filter) = 0;
  virtual QString GetOpenFileName(QWidget* parent, const QString& caption,
                                  const QString& startPath,
                                  const QString& filter) = 0;
  virtual QString GetSaveFileName(QWidget* parent, const QString& caption,
                                  const QString& startPath,
                                  const QString& filter,
                                  const QString& defaultSuffix) = 0;
};
