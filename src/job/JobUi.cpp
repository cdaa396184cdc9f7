// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/JobUi.h"

#include <cstdio>

void CStderrJobUi::ShowMessage(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

int CStderrJobUi::AskOutputExists() { return kAnswerCancel; }
