// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/DialogJobUi.h"

#include <QString>

#include "desktop/AppTexts.h"
#include "desktop/Prompts.h"
#include "desktop/WarningDialog.h"

void CDialogJobUi::ShowMessage(const std::string& text, MessageLevel level) {
  m_prompts.ShowMessage(
      m_pParent,
      QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())),
      QString::fromLatin1(kAppTitle), level);
}

int CDialogJobUi::AskOutputExists() {
  CWarningDialog dialog(m_pParent);
  const int answer = m_prompts.RunDialog(dialog);
  if (answer == kAnswerOverwrite || answer == kAnswerAppend) return answer;
  return kAnswerCancel;
}
