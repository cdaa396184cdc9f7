// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "job/JobUi.h"

class IPrompts;
class QWidget;

// The conversion job's messages and its "Warning!" question as the desktop
// program shows them: message boxes under the application title and the
// "Warning!" dialog, all through `prompts`, over `parent`.
class CDialogJobUi : public IJobUi {
 public:
  CDialogJobUi(IPrompts& prompts, QWidget* parent)
      : m_prompts(prompts), m_pParent(parent) {}

  // `text` is in the local 8-bit encoding (it may name a file).
  void ShowMessage(const std::string& text, MessageLevel level) override;
  // Runs CWarningDialog; any result but Overwrite or Append is Cancel.
  int AskOutputExists() override;

 private:
  IPrompts& m_prompts;
  QWidget* m_pParent;
};
