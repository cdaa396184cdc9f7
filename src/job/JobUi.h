// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// How a message is meant: the desktop shows the matching icon (the
// information icon only for success).
enum class MessageLevel { kInformation, kWarning, kError };

// What the conversion job needs from the person running it: seeing a
// message, and answering the "Warning!" question when the output exists.
// Batch mode, the desktop program and the tests each supply their own.
class IJobUi {
 public:
  virtual ~IJobUi() = default;

  // Shows one message (a modal message box with an OK button on the
  // desktop, one line on stderr in batch mode).
  virtual void ShowMessage(const std::string& text, MessageLevel level) = 0;

  // Asks what to do with an existing output file: kAnswerOverwrite,
  // kAnswerAppend or kAnswerCancel (also for a dialog closed without a
  // choice).
  virtual int AskOutputExists() = 0;

  static constexpr int kAnswerOverwrite = 1;
  static constexpr int kAnswerAppend = 1066;
  static constexpr int kAnswerCancel = 2;
};

// Batch mode: every message is one line on `stream` (stderr). Nobody can
// be asked, so the question is answered with Cancel.
class CStderrJobUi : public IJobUi {
 public:
  explicit CStderrJobUi(std::FILE* stream = stderr) : m_pStream(stream) {}
  void ShowMessage(const std::string& text, MessageLevel level) override;
  int AskOutputExists() override;

 private:
  std::FILE* m_pStream;
};

// For tests: remembers every message and its level and answers the
// question with a fixed choice, counting how often it was asked.
class CRecordingJobUi : public IJobUi {
 public:
  explicit CRecordingJobUi(int answer = kAnswerCancel) : m_nAnswer(answer) {}
  void ShowMessage(const std::string& text, MessageLevel level) override {
    m_messages.push_back(text);
    m_levels.push_back(level);
  }
  int AskOutputExists() override {
    ++m_nAsked;
    return m_nAnswer;
  }

  std::vector<std::string> m_messages;
  std::vector<MessageLevel> m_levels;
  int m_nAnswer;
  int m_nAsked = 0;
};
