#include "app/DialogJobUi.h"

#include <QString>

#include "app/AppTexts.h"
#include "app/Prompts.h"
#include "app/WarningDialog.h"

void CDialogJobUi::ShowMessage(const std::string& text) {
  m_prompts.ShowMessage(
      m_pParent,
      QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())),
      QString::fromLatin1(kAppTitle));
}

int CDialogJobUi::AskOutputExists() {
  CWarningDialog dialog(m_pParent);
  const int answer = m_prompts.RunDialog(dialog);
  if (answer == kAnswerOverwrite || answer == kAnswerAppend) return answer;
  m_bCancelled = true;
  return kAnswerCancel;
}
