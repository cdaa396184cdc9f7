// SPDX-License-Identifier: GPL-3.0-or-later
// The real prompts, answered by a timer that plays the user on whatever
// modal window is up.
#include "desktop/QtPrompts.h"

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

// Runs `answer` on the next modal window that opens, once; a window of
// another type than `Window` fails the test and is closed.
template <class Window>
void AnswerNextModal(std::function<void(Window*)> answer) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      if (auto* window = qobject_cast<Window*>(modal)) return answer(window);
      ADD_FAILURE() << "another window is up";
      modal->close();
    }
  });
  timer->start(10);
}

// A message box has one OK button, its icon and room for its whole caption.
TEST(QtPromptsTest, MessageBoxHasOneOkButtonTheCaptionAndItsIcon) {
  const QString title = "Kelconv Conversion Utility";
  const std::pair<MessageLevel, QMessageBox::Icon> cases[] = {
      {MessageLevel::kInformation, QMessageBox::Information},
      {MessageLevel::kWarning, QMessageBox::Warning},
      {MessageLevel::kError, QMessageBox::Critical}};
  for (const auto& [level, icon] : cases) {
    AnswerNextModal<QMessageBox>([&](QMessageBox* box) {
      EXPECT_EQ(box->windowTitle(), title);
      EXPECT_EQ(box->buttons().size(), 1);
      EXPECT_EQ(box->icon(), icon);
      EXPECT_GE(box->width() - box->fontMetrics().horizontalAdvance(title),
                160);
      box->button(QMessageBox::Ok)->click();
    });
    CQtPrompts().ShowMessage(nullptr, "Success", title, level);
  }
}

TEST(QtPromptsTest, OpenChooserCreatesANewNameAfterConfirmation) {
  TempDir dir;
  UseTemporarySettings(dir);  // the chooser remembers its last directory
  CQtPrompts prompts;
  const QString filter = "Configuration Files (*.cfg);;All Files (*)";
  AnswerNextModal<QFileDialog>([&](QFileDialog* chooser) {
    chooser->selectFile(QString::fromStdString(dir.Path("new")));
    AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
    QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
  });
  EXPECT_EQ(prompts.GetOpenFileName(nullptr, "Open", "", filter),
            QString::fromStdString(dir.Path("new.cfg")));
  EXPECT_EQ(FirstFilterSuffix("All Files (*)"), "");
}

}  // namespace
