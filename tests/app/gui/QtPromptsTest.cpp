// The real prompts, answered by a timer that plays the user on whatever
// modal window is up.
#include "app/QtPrompts.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "GuiTestFiles.h"
#include "TempDir.h"

namespace {

// Runs `answer` on the next modal window that opens, once.
void AnswerNextModal(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
    }
  });
  timer->start(10);
}

TEST(QtPromptsTest, MessageBoxHasOneOkButtonAndTheCaption) {
  CQtPrompts prompts;
  QString title;
  int buttons = 0;
  AnswerNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
      ADD_FAILURE() << "another window is up";
      modal->close();
      return;
    }
    title = box->windowTitle();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  prompts.ShowMessage(nullptr, "Success", "File Saved");
  EXPECT_EQ(title, "File Saved");
  EXPECT_EQ(buttons, 1);
}

TEST(QtPromptsTest, OpenChooserCreatesANewNameAfterConfirmation) {
  TempDir dir;
  UseTemporarySettings(dir);  // the chooser remembers its last directory
  CQtPrompts prompts;
  const QString filter = "Configuration Files (*.cfg);;All Files (*)";
  AnswerNextModal([&](QWidget* modal) {
    auto* chooser = qobject_cast<QFileDialog*>(modal);
    if (chooser == nullptr) {
      ADD_FAILURE() << "another window is up";
      modal->close();
      return;
    }
    chooser->selectFile(QString::fromStdString(dir.Path("new")));
    AnswerNextModal([](QWidget* question) {
      auto* box = qobject_cast<QMessageBox*>(question);
      if (box == nullptr) {
        ADD_FAILURE() << "another window is up";
        question->close();
        return;
      }
      box->button(QMessageBox::Yes)->click();
    });
    QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
  });
  EXPECT_EQ(prompts.GetOpenFileName(nullptr, "Open", "", filter),
            QString::fromStdString(dir.Path("new.cfg")));
  EXPECT_EQ(FirstFilterSuffix(filter), "cfg");
  EXPECT_EQ(FirstFilterSuffix("All Files (*)"), "");
}

}  // namespace
