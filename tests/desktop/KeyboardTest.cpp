// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program by keyboard: mnemonics, the focus chain, and keys
// that must not lose what was typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <set>

#include "GuiTestFiles.h"
#include "ScriptedPrompts.h"
#include "desktop/AboutDialog.h"
#include "desktop/ExportOptionsDialog.h"
#include "desktop/HelpWindow.h"
#include "desktop/MainDialog.h"
#include "desktop/OrbGraphic.h"
#include "desktop/PreviewDialog.h"
#include "desktop/ReportDialog.h"
#include "desktop/WarningDialog.h"
#include "desktop/editor/ConfigSheet.h"

namespace {

// The mnemonic letter of a control's text ("&Browse..." gives 'B'), or 0.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toUpper();
    ++i;
  }
  return QChar();
}

// Every button and check box of a window has a mnemonic, and no two
// controls (labels with a buddy included) share one. Controls hidden on
// purpose do not count; those of pages not shown do.
TEST(KeyboardTest, EveryButtonOfAWindowHasItsOwnMnemonic) {
  CScriptedPrompts prompts;
  const std::function<std::unique_ptr<QWidget>()> windows[] = {
      [&] { return std::make_unique<CMainDialog>(prompts, "/DISCARD.TXT"); },
      [&] { return std::make_unique<CConfigSheet>(prompts); },
      [] { return std::make_unique<CWarningDialog>(); },
      [] { return std::make_unique<CExportOptionsDialog>(); },
      [] { return std::make_unique<CAboutDialog>(); },
      [&] { return std::make_unique<CHelpWindow>(prompts, "/DISCARD.TXT"); },
      [&] {
        return std::make_unique<CPreviewDialog>(nullptr, prompts, "", "", "");
      },
      [] { return std::make_unique<COrbGraphic>(); },
      [] { return std::make_unique<CReportDialog>(nullptr, "report"); },
  };
  for (const auto& make : windows) {
    const std::unique_ptr<QWidget> window = make();
    SCOPED_TRACE(window->objectName().toStdString());
    std::set<QChar> seen;
    for (QWidget* child : window->findChildren<QWidget*>()) {
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(child)) {
        text = button->text();
        if (text.isEmpty()) continue;  // icons: scroll arrows and the like
        EXPECT_FALSE(Mnemonic(text).isNull()) << text.toStdString();
      } else if (auto* label = qobject_cast<QLabel*>(child)) {
        if (label->buddy() == nullptr) continue;
        text = label->text();
      }
      if (child->isHidden() || Mnemonic(text).isNull()) continue;
      EXPECT_TRUE(seen.insert(Mnemonic(text)).second) << text.toStdString();
    }
    EXPECT_FALSE(seen.empty());
  }
}

TEST(KeyboardTest, MainDialogFocusChainAndEscape) {
  TempDir dir;
  UseTemporarySettings(dir);
  CScriptedPrompts prompts;
  CMainDialog dialog(prompts, dir.Path("DISCARD.TXT"));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  namespace C = MainDialogControl;
  const QStringList expected = {
      C::kInputFile,  C::kBrowseInput,  C::kDisplay, C::kOutputFile,
      C::kBrowseOutput, C::kPreview,    C::kConfigFile, C::kBrowseConfig,
      C::kEdit,       C::kInvertX,      C::kInvertY, C::kHelp,
      C::kConvert,    C::kExport,       C::kExit};
  QStringList chain;
  QWidget* first = dialog.findChild<QLineEdit*>(C::kInputFile);
  QWidget* widget = first;
  do {
    if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
      chain << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  } while (widget != first && chain.size() < 40);
  EXPECT_EQ(chain, expected);

  // Escape keeps the dialog and what was typed.
  auto* input = dialog.findChild<QLineEdit*>(C::kInputFile);
  input->setFocus();
  QTest::keyClicks(input, "typed");
  QTest::keyClick(input, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(input->text(), "typed");
}

TEST(KeyboardTest, ExportOptionsFocusTheChosenOption) {
  for (const int option : {-1, 0, 1}) {
    CExportOptionsDialog options;
    if (option >= 0) options.SetHeaderOption(option);
    options.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
    const auto* focused = qobject_cast<QRadioButton*>(options.focusWidget());
    ASSERT_NE(focused, nullptr);
    EXPECT_TRUE(focused->isChecked());
    EXPECT_EQ(options.HeaderOption(), option < 0 ? 2 : option);
  }
}

}  // namespace
