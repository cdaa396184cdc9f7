// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/JobUi.h"

#include <cstdio>

void CStderrJobUi::ShowMessage(const std::string& text, MessageLevel) {
  std::fwrite(text.data(), 1, text.size(), m_pStream);
  std::fputc('\n', m_pStream);
  std::fflush(m_pStream);
}

int CStderrJobUi::AskOutputExists() { return kAnswerCancel; }
