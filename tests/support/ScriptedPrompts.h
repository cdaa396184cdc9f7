#pragma once

// A scripted stand-in for the desktop program's modal questions. A test
// queues the answers in the order the questions will be asked; every question
// (message boxes included) is recorded, so that the test can check what was
// shown and in which order. Nothing ever blocks: an unscripted question, or a
// question of another kind than the next answer, fails the running test and
// is answered as if the user had cancelled.
//
//   CScriptedPrompts prompts;
//   prompts.QueueOpenFileNames({"/tmp/a.orb"});
//   prompts.QueueDialog([](QDialog& dialog) {
//     dialog.findChild<QLineEdit*>("IDC_FIELD")->setText("X");
//     return CScriptedPrompts::Accept(dialog);
//   });
//   ... drive the widget ...
//   EXPECT_EQ(prompts.Remaining(), 0u);
//   EXPECT_EQ(prompts.MessageTexts(), QStringList{"Done."});

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstddef>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "app/Prompts.h"

class CScriptedPrompts : public IPrompts {
 public:
  enum class EKind {
    Message,
    Dialog,
    OpenFileNames,
    OpenFileName,
    SaveFileName
  };

  // One question as it was asked. `dialog` is only valid while the dialog's
  // answer runs; afterwards only `dialogTitle` and `dialogName` are kept.
  struct SRequest {
    EKind kind = EKind::Message;
    QWidget* parent = nullptr;
    QString text;  // the message text (Message only)
    QString caption;
    QString startPath;
    QString filter;
    QString defaultSuffix;
    QDialog* dialog = nullptr;
    QString dialogTitle;  // windowTitle() of the dialog when it was run
    QString dialogName;   // objectName() of the dialog when it was run
  };

  using DialogAnswer = std::function<int(QDialog&)>;
  using FileAnswer = std::function<QStringList(const SRequest&)>;

  // --- Scripting answers (consumed in order) ---

  // A modal dialog: the callback may change the dialog's widgets, press its
  // buttons, and returns what exec() would have returned.
  void QueueDialog(DialogAnswer answer) {
    m_answers.push_back({EKind::Dialog, std::move(answer), {}});
  }
  // A modal dialog left untouched and ended with `result`
  // (QDialog::Accepted or QDialog::Rejected).
  void QueueDialogResult(int result) {
    QueueDialog([result](QDialog&) { return result; });
  }
  // File choosers. An empty answer means the user cancelled.
  void QueueOpenFileNames(const QStringList& paths) {
    QueueFileAnswer(EKind::OpenFileNames,
                    [paths](const SRequest&) { return paths; });
  }
  void QueueOpenFileName(const QString& path) {
    QueueFileAnswer(EKind::OpenFileName,
                    [path](const SRequest&) { return QStringList{path}; });
  }
  void QueueSaveFileName(const QString& path) {
    QueueFileAnswer(EKind::SaveFileName,
                    [path](const SRequest&) { return QStringList{path}; });
  }
  // A file chooser answered by a callback that sees the request (caption,
  // start path, filter) and returns the chosen paths (one for the single-file
  // choosers; an empty list means cancelled).
  void QueueFileAnswer(EKind kind, FileAnswer answer) {
    m_answers.push_back({kind, {}, std::move(answer)});
  }

  // Presses the dialog's accept path (its own accept() runs, so validation in
  // an overridden accept() takes place) and returns the dialog's result.
  static int Accept(QDialog& dialog) {
    dialog.accept();
    return dialog.result();
  }
  static int Reject(QDialog& dialog) {
    dialog.reject();
    return dialog.result();
  }

  // --- What was asked ---

  // Scripted answers not used yet.
  std::size_t Remaining() const { return m_answers.size(); }
  // Every question in the order it was asked, message boxes included.
  const std::vector<SRequest>& Requests() const { return m_requests; }
  // The message boxes only.
  std::vector<SRequest> Messages() const {
    std::vector<SRequest> messages;
    for (const SRequest& request : m_requests) {
      if (request.kind == EKind::Message) messages.push_back(request);
    }
    return messages;
  }
  QStringList MessageTexts() const {
    QStringList texts;
    for (const SRequest& request : m_requests) {
      if (request.kind == EKind::Message) texts << request.text;
    }
    return texts;
  }
  void ClearRecord() { m_requests.clear(); }

  // --- IPrompts ---

  void ShowMessage(QWidget* parent, const QString& text,
                   const QString& caption) override {
    SRequest request;
    request.kind = EKind::Message;
    request.parent = parent;
    request.text = text;
    request.caption = caption;
    m_requests.push_back(request);
  }

  int RunDialog(QDialog& dialog) override {
    SRequest request;
    request.kind = EKind::Dialog;
    request.dialog = &dialog;
    request.dialogTitle = dialog.windowTitle();
    request.dialogName = dialog.objectName();
    m_requests.push_back(request);
    m_requests.back().dialog = nullptr;
    Answer answer;
    if (!Next(EKind::Dialog, request, answer)) return QDialog::Rejected;
    // The answer may ask further questions (a dialog's OK shows a message),
    // so it runs after it left the queue.
    return answer.dialog(dialog);
  }

  QStringList GetOpenFileNames(QWidget* parent, const QString& caption,
                               const QString& startPath,
                               const QString& filter) override {
    return AskFile(EKind::OpenFileNames, parent, caption, startPath, filter,
                   {});
  }
  QString GetOpenFileName(QWidget* parent, const QString& caption,
                          const QString& startPath,
                          const QString& filter) override {
    return First(
        AskFile(EKind::OpenFileName, parent, caption, startPath, filter, {}));
  }
  QString GetSaveFileName(QWidget* parent, const QString& caption,
                          const QString& startPath, const QString& filter,
                          const QString& defaultSuffix) override {
    return First(AskFile(EKind::SaveFileName, parent, caption, startPath,
                         filter, defaultSuffix));
  }

  static const char* KindName(EKind kind) {
    switch (kind) {
      case EKind::Message:
        return "message box";
      case EKind::Dialog:
        return "dialog";
      case EKind::OpenFileNames:
        return "open-files chooser";
      case EKind::OpenFileName:
        return "open-file chooser";
      case EKind::SaveFileName:
        return "save-file chooser";
    }
    return "?";
  }

 private:
  struct Answer {
    EKind kind = EKind::Dialog;
    DialogAnswer dialog;
    FileAnswer file;
  };

  bool Next(EKind kind, const SRequest& request, Answer& answer) {
    const QString what = request.kind == EKind::Dialog
                             ? QStringLiteral("\"%1\"").arg(request.dialogTitle)
                             : QStringLiteral("\"%1\"").arg(request.caption);
    if (m_answers.empty()) {
      ADD_FAILURE() << "unscripted " << KindName(kind) << " "
                    << what.toStdString();
      return false;
    }
    if (m_answers.front().kind != kind) {
      ADD_FAILURE() << "a " << KindName(kind) << " " << what.toStdString()
                    << " was asked, the script expected a "
                    << KindName(m_answers.front().kind);
      return false;
    }
    answer = std::move(m_answers.front());
    m_answers.pop_front();
    return true;
  }

  QStringList AskFile(EKind kind, QWidget* parent, const QString& caption,
                      const QString& startPath, const QString& filter,
                      const QString& defaultSuffix) {
    SRequest request;
    request.kind = kind;
    request.parent = parent;
    request.caption = caption;
    request.startPath = startPath;
    request.filter = filter;
    request.defaultSuffix = defaultSuffix;
    m_requests.push_back(request);
    Answer answer;
    if (!Next(kind, request, answer)) return {};
    return answer.file(request);
  }

  static QString First(const QStringList& paths) {
    return paths.isEmpty() ? QString() : paths.front();
  }

  std::deque<Answer> m_answers;
  std::vector<SRequest> m_requests;
};
