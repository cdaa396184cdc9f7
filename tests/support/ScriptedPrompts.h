// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scripted stand-in for the desktop program's modal questions. A test
// queues the answers in the order the questions will be asked; every question
// (message boxes included) is recorded. Nothing ever blocks: an unscripted
// question, or one of another kind than the next answer, fails the running
// test and is answered as if the user had cancelled.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "desktop/Prompts.h"

class CScriptedPrompts : public IPrompts {
 public:
  enum class EKind {
    Message,
    Question,
    Dialog,
    OpenFileNames,
    OpenFileName,
    SaveFile
  };

  // One question as it was asked (`text` and `caption` for messages and
  // yes/no questions, `dialogTitle` for dialogs, the rest for file
  // choosers).
  struct SRequest {
    EKind kind = EKind::Message;
    QString text, caption, startPath, filter, dialogTitle;
    MessageLevel level = MessageLevel::kInformation;  // of a message
  };
  using DialogAnswer = std::function<int(QDialog&)>;

  // A modal dialog: the callback may change its widgets, press its buttons,
  // and returns what exec() would have returned.
  void QueueDialog(DialogAnswer answer) {
    m_answers.push_back({EKind::Dialog, std::move(answer), {}});
  }
  // A yes/no question: true for Yes.
  void QueueAnswer(bool yes) {
    m_answers.push_back({EKind::Question, {}, {}, yes});
  }
  // A file chooser of `kind`; no path means the user cancelled.
  void QueueFiles(EKind kind, const QStringList& paths) {
    m_answers.push_back({kind, {}, paths});
  }
  void QueueSaveFileName(const QString& path) {
    QueueFiles(EKind::SaveFile, {path});
  }
  // The dialog's own accept()/reject() (so its validation runs); returns
  // its result.
  static int Accept(QDialog& dialog) {
    dialog.accept();
    return dialog.result();
  }
  static int Reject(QDialog& dialog) {
    dialog.reject();
    return dialog.result();
  }

  std::size_t Remaining() const { return m_answers.size(); }
  const std::vector<SRequest>& Requests() const { return m_requests; }
  std::vector<SRequest> Messages() const {
    std::vector<SRequest> messages;
    for (const SRequest& r : m_requests) {
      if (r.kind == EKind::Message) messages.push_back(r);
    }
    return messages;
  }
  QStringList MessageTexts() const {
    QStringList texts;
    for (const SRequest& r : Messages()) texts << r.text;
    return texts;
  }
  void ClearRecord() { m_requests.clear(); }

  void ShowMessage(QWidget*, const QString& text, const QString& caption,
                   MessageLevel level) override {
    m_requests.push_back({EKind::Message, text, caption, {}, {}, {}, level});
  }
  bool AskYesNo(QWidget*, const QString& text,
                const QString& caption) override {
    return Next({EKind::Question, text, caption, {}, {}, {}}).yes;
  }
  int RunDialog(QDialog& dialog) override {
    // The answer may ask further questions, so it leaves the queue first.
    const Answer answer =
        Next({EKind::Dialog, {}, {}, {}, {}, dialog.windowTitle()});
    return answer.dialog ? answer.dialog(dialog) : int{QDialog::Rejected};
  }
  QStringList GetOpenFileNames(QWidget*, const QString& caption,
                               const QString& startPath,
                               const QString& filter) override {
    return Next({EKind::OpenFileNames, {}, caption, startPath, filter, {}})
        .files;
  }
  QString GetOpenFileName(QWidget*, const QString& caption,
                          const QString& startPath,
                          const QString& filter) override {
    return Next({EKind::OpenFileName, {}, caption, startPath, filter, {}})
        .files.value(0);
  }
  QString GetSaveFileName(QWidget*, const QString& caption,
                          const QString& startPath, const QString& filter,
                          const QString&) override {
    return Next({EKind::SaveFile, {}, caption, startPath, filter, {}})
        .files.value(0);
  }

 private:
  struct Answer {
    EKind kind = EKind::Dialog;
    DialogAnswer dialog;
    QStringList files;
    bool yes = false;
  };

  // Records the question `asked` and takes its answer: an unscripted one
  // gets an empty answer (Rejected, no file, No).
  Answer Next(const SRequest& asked) {
    m_requests.push_back(asked);
    if (m_answers.empty() || m_answers.front().kind != asked.kind) {
      ADD_FAILURE() << "question \""
                    << (asked.dialogTitle + asked.text + asked.caption)
                           .toStdString()
                    << "\" (kind " << static_cast<int>(asked.kind)
                    << ") was not scripted";
      return {};
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
  }

  std::deque<Answer> m_answers;
  std::vector<SRequest> m_requests;
};
