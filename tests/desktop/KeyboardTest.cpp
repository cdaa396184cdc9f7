// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program by keyboard: mnemonics, the focus chain, and keys
// that must not lose what was typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>
#include <set>

#include "MainDialogFixture.h"
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

// Every button of a window (of all its pages) has a mnemonic, and no two
// controls, labels with a buddy included, share one; controls hidden on
// purpose do not count.
TEST(KeyboardTest, EveryButtonOfAWindowHasItsOwnMnemonic) {
  CScriptedPrompts prompts;
  const std::function<QWidget*()> windows[] = {
      [&] { return new CMainDialog(prompts, "/DISCARD.TXT"); },
      [&] { return new CConfigSheet(prompts); },
      [&] { return new CHelpWindow(prompts, "/DISCARD.TXT"); },
      [&] { return new CPreviewDialog(nullptr, prompts, "", "", ""); },
      [] { return new CWarningDialog; }, [] { return new CExportOptionsDialog; },
      [] { return new CAboutDialog; }, [] { return new COrbGraphic; },
      [] { return new CReportDialog(nullptr, "report"); }};
  for (const auto& make : windows) {
    const std::unique_ptr<QWidget> window(make());
    SCOPED_TRACE(window->objectName().toStdString());
    std::set<QChar> seen;
    for (QWidget* child : window->findChildren<QWidget*>()) {
      const auto* button = qobject_cast<QAbstractButton*>(child);
      const auto* label = qobject_cast<QLabel*>(child);
      const QString text = button  ? button->text()
                           : label && label->buddy() ? label->text()
                                                     : QString();
      if (text.isEmpty() || child->isHidden()) continue;  // icons
      const qsizetype at = text.indexOf(QRegularExpression("&[^&]"));
      EXPECT_TRUE(at >= 0 || label) << text.toStdString();
      if (at >= 0) {
        EXPECT_TRUE(seen.insert(text[at + 1].toUpper()).second)
            << text.toStdString();
      }
    }
  }
}

using MainDialogKeysTest = CMainDialogFixture;

TEST_F(MainDialogKeysTest, FocusChainEscapeAndTheChosenExportOption) {
  m_dialog->show();
  namespace C = MainDialogControl;
  QStringList chain;
  QWidget* widget = Edit(C::kInputFile);
  for (int i = 0; i < 40 && !chain.contains(widget->objectName()); ++i) {
    if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus)) {
      chain << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(chain, QStringList({C::kInputFile, C::kBrowseInput, C::kDisplay,
                                C::kOutputFile, C::kBrowseOutput, C::kPreview,
                                C::kConfigFile, C::kBrowseConfig, C::kEdit,
                                C::kInvertX, C::kInvertY, C::kHelp, C::kConvert,
                                C::kExport, C::kExit}));
  // Escape keeps the dialog and what was typed.
  QTest::keyClicks(Edit(C::kInputFile), "typed");
  QTest::keyClick(Edit(C::kInputFile), Qt::Key_Escape);
  EXPECT_TRUE(m_dialog->isVisible());
  EXPECT_EQ(Edit(C::kInputFile)->text(), "typed");

  CExportOptionsDialog options;
  options.show();
  EXPECT_EQ(options.focusWidget()->objectName(), "headerOption2");
}

}  // namespace
