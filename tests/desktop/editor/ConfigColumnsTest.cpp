// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigColumns.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <tuple>
#include <vector>

#include "ScriptedPrompts.h"
#include "desktop/editor/ConfigSheet.h"

namespace {

class ConfigColumnsTest : public testing::Test {
 protected:
  ConfigColumnsTest() : m_page(m_prompts) {
    m_columns = {{"A", "Quantity", false}, {"B", "Material", true}};
    m_page.SetColumns(&m_columns);
  }

  // The list's lines as "header|type|fractions"; the column definitions
  // must say the same.
  QStringList Lines() const {
    QStringList lines, columns;
    QTreeWidget* list = m_page.List();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      lines << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
    }
    for (const CConfigColumnItem& c : m_columns) {
      columns << QString::fromStdString(c.m_strHeader + '|' + c.m_strType +
                                        '|' + (c.m_bFractions ? "Y" : ""));
    }
    EXPECT_EQ(lines, columns);
    return lines;
  }
  QString Fields() const {
    return m_page.HeaderEdit()->text() + '|' +
           m_page.TypeCombo()->currentText() + '|' +
           (m_page.FractionsCheck()->isChecked() ? "Y" : "");
  }
  void SetFields(const char* header, const char* type, bool flag) {
    m_page.HeaderEdit()->setText(header);
    m_page.TypeCombo()->setCurrentText(type);
    m_page.FractionsCheck()->setChecked(flag);
  }
  void Select(int line) {
    m_page.List()->clearSelection();
    m_page.List()->topLevelItem(line)->setSelected(true);
  }
  int Selected() const {
    const QList<QTreeWidgetItem*> items = m_page.List()->selectedItems();
    return items.isEmpty() ? -1 : m_page.List()->indexOfTopLevelItem(items[0]);
  }

  CScriptedPrompts m_prompts;
  std::vector<CConfigColumnItem> m_columns;
  CConfigColumns m_page;
};

TEST_F(ConfigColumnsTest, FieldsTypeListAndHeaderBox) {
  EXPECT_EQ(Fields(), "|None|");
  EXPECT_EQ(m_page.TypeCombo()->count(), 24);
  Select(1);
  EXPECT_EQ(Fields(), "B|Material|Y");

  // Typed letters become upper case, wherever the caret is.
  m_page.HeaderEdit()->clear();
  QTest::keyClicks(m_page.HeaderEdit(), "qty 2b");
  QTest::keyClick(m_page.HeaderEdit(), Qt::Key_Left);
  QTest::keyClicks(m_page.HeaderEdit(), "x");
  EXPECT_EQ(m_page.HeaderEdit()->text(), "QTY 2XB");
}

TEST_F(ConfigColumnsTest, ButtonsThatNeedASelectedLineSaySo) {
  const std::pair<QPushButton*, QString> cases[] = {
      {m_page.InsertButton(), "Select a point to insert at"},
      {m_page.UpdateButton(), "Select the column to update"},
      {m_page.RemoveButton(), "Select A Column To Remove"}};
  for (const auto& [button, message] : cases) {
    m_prompts.ClearRecord();
    SetFields("NEW", "Grade", true);
    button->click();
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0].text, message);
    EXPECT_EQ(m_prompts.Messages()[0].caption, "Kelconv Conversion Utility");
    EXPECT_EQ(Lines(), QStringList({"A|Quantity|", "B|Material|Y"}));
    EXPECT_EQ(Fields(), "NEW|Grade|Y");
  }
}

TEST_F(ConfigColumnsTest, EditsChangeTheDefinitionsInPlace) {
  SetFields("MK", "Piece Mark", true);
  m_page.AddButton()->click();
  EXPECT_EQ(Lines(),
            QStringList({"A|Quantity|", "B|Material|Y", "MK|Piece Mark|Y"}));
  EXPECT_EQ(Fields(), "|None|");

  // The new definition comes before the selected one, which stays selected.
  Select(1);
  SetFields("LEN", "Length(Ft + In)", false);
  m_page.InsertButton()->click();
  EXPECT_EQ(Lines(), QStringList({"A|Quantity|", "LEN|Length(Ft + In)|",
                                  "B|Material|Y", "MK|Piece Mark|Y"}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Fields(), "|None|");

  // Update takes all three fields; its line is replaced, not selected.
  Select(0);
  SetFields("QTY", "Quantity", true);
  m_page.UpdateButton()->click();
  EXPECT_EQ(Lines()[0], "QTY|Quantity|Y");
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(Fields(), "|None|");

  // Remove leaves the fields showing the removed definition.
  Select(2);
  m_page.RemoveButton()->click();
  EXPECT_EQ(Lines(), QStringList({"QTY|Quantity|Y", "LEN|Length(Ft + In)|",
                                  "MK|Piece Mark|Y"}));
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(Fields(), "B|Material|Y");

  Select(0);
  m_page.RemoveAllButton()->click();
  EXPECT_TRUE(Lines().isEmpty());
  EXPECT_TRUE(m_prompts.Messages().empty());

  // Any header is accepted, an empty or repeated one included.
  SetFields("", "None", false);
  m_page.AddButton()->click();
  m_page.AddButton()->click();
  EXPECT_EQ(Lines(), QStringList({"|None|", "|None|"}));
}

// Enter in the header field adds the column (updates the selected one)
// and keeps the sheet open; Enter elsewhere still ends it with OK.
TEST(ConfigSheetEnterTest, EnterInTheHeaderFieldAddsTheColumn) {
  // The selected line (-1: none), where Enter is pressed (in the header
  // field or on the fractions box), the headers then, the sheet still open.
  const std::tuple<int, bool, std::string, bool> cases[] = {
      {-1, true, "A MK", true}, {0, true, "MK", true}, {-1, false, "A", false}};
  for (const auto& [selected, inHeader, headers, open] : cases) {
    CScriptedPrompts prompts;
    std::vector<CConfigColumnItem> columns = {{"A", "Quantity", false}};
    CConfigSheet sheet(prompts);
    CConfigColumns& page = *sheet.Columns();
    page.SetColumns(&columns);
    sheet.show();
    if (selected >= 0) page.List()->topLevelItem(selected)->setSelected(true);
    page.HeaderEdit()->setText("MK");
    QWidget* target = inHeader ? static_cast<QWidget*>(page.HeaderEdit())
                               : page.FractionsCheck();
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    std::string shown;
    for (const CConfigColumnItem& c : columns) shown += " " + c.m_strHeader;
    EXPECT_EQ(shown.substr(1), headers);
    EXPECT_EQ(sheet.isVisible(), open);
  }
}

}  // namespace
