// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the four pages of a filled-in configuration (the bundled
// example's), for a person to look at.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "desktop/editor/ConfigColumns.h"
#include "desktop/editor/ConfigEditor.h"
#include "desktop/editor/ConfigSheet.h"

namespace {

TEST(ConfigScreenshotTest, SavesEveryPage) {
  TempDir dir;
  const std::string path =
      dir.Write("shop.cfg", TempDir::Read(KELCONV_EXAMPLES "/sample.cfg"));
  const char* const names[] = {"columns", "materials", "fractions", "misc"};

  CScriptedPrompts prompts;
  prompts.QueueDialog([&](QDialog& dialog) {
    auto& sheet = dynamic_cast<CConfigSheet&>(dialog);
    sheet.show();
    sheet.Columns()->List()->topLevelItem(2)->setSelected(true);
    for (int page = 0; page < sheet.Tabs()->count(); ++page) {
      sheet.Tabs()->setCurrentIndex(page);
      QApplication::processEvents();
      SaveScreenshot(sheet, QStringLiteral("config-") + names[page], true);
    }
    // A column added with Enter, and the next one being typed.
    sheet.Tabs()->setCurrentIndex(0);
    CConfigColumns& columns = *sheet.Columns();
    columns.List()->clearSelection();
    columns.HeaderEdit()->clear();
    columns.FractionsCheck()->setChecked(false);
    columns.HeaderEdit()->setFocus();
    QTest::keyClicks(columns.HeaderEdit(), "heat no");
    columns.TypeCombo()->setCurrentText("Remarks");
    QTest::keyClick(columns.HeaderEdit(), Qt::Key_Return);
    QTest::keyClicks(columns.HeaderEdit(), "finish");
    columns.TypeCombo()->setCurrentText("Finish");
    QApplication::processEvents();
    SaveScreenshot(sheet, "config-columns-typed", true);
    return CScriptedPrompts::Reject(dialog);
  });
  EditConfiguration(nullptr, prompts, QString::fromStdString(path));
  EXPECT_EQ(prompts.Remaining(), 0u);
}

}  // namespace
