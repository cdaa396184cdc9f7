// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class IPrompts;
class QPushButton;
class QTextBrowser;

// The program's help: a top-level window that explains the main dialog's
// fields and buttons, the command line and the discard list, with a button
// that opens the About box. It does not block the main dialog.
class CHelpWindow : public QWidget {
  Q_OBJECT

 public:
  // `discardListPath` is shown as where the discard list is read from.
  CHelpWindow(IPrompts& prompts, const QString& discardListPath,
              QWidget* parent = nullptr);

  QTextBrowser* Browser() const { return m_pBrowser; }
  QPushButton* AboutButton() const { return m_pAbout; }

 private:
  IPrompts& m_prompts;
  QTextBrowser* m_pBrowser;
  QPushButton* m_pAbout;
};

// The help text (HTML); `discardListPath` is named in it.
QString HelpText(const QString& discardListPath);
