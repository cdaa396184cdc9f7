#include "config/editor/ConfigColumns.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"

namespace {

struct SLine {
  std::string header, type, fractions;
  bool operator==(const SLine&) const = default;
};

CConfigColumnItem Column(const char* header, const char* type, bool flag) {
  CConfigColumnItem item;
  item.m_strHeader = header;
  item.m_strType = type;
  item.m_bFractions = flag;
  return item;
}

class ConfigColumnsTest : public testing::Test {
 protected:
  ConfigColumnsTest() : m_page(m_prompts) {
    m_columns = {Column("A", "Quantity", false), Column("B", "Material", true)};
    m_page.SetColumns(&m_columns);
  }

  // The page's list and the column definitions, which must agree line for
  // line; returned as the list shows them.
  std::vector<SLine> Lines() const {
    std::vector<SLine> lines;
    QTreeWidget* list = m_page.List();
    EXPECT_EQ(static_cast<size_t>(list->topLevelItemCount()), m_columns.size());
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = list->topLevelItem(i);
      lines.push_back({item->text(0).toStdString(), item->text(1).toStdString(),
                       item->text(2).toStdString()});
      if (static_cast<size_t>(i) < m_columns.size()) {
        const CConfigColumnItem& column = m_columns[i];
        EXPECT_EQ(lines.back(), (SLine{column.m_strHeader, column.m_strType,
                                       column.m_bFractions ? "Y" : ""}));
      }
    }
    return lines;
  }
  SLine Fields() const {
    return {m_page.HeaderEdit()->text().toStdString(),
            m_page.TypeCombo()->currentText().toStdString(),
            m_page.FractionsCheck()->isChecked() ? "Y" : ""};
  }
  void SetFields(const char* header, const char* type, bool flag) {
    m_page.HeaderEdit()->setText(header);
    m_page.TypeCombo()->setCurrentText(type);
    m_page.FractionsCheck()->setChecked(flag);
  }
  void Select(int line) {
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

const SLine kCleared{"", "None", ""};

TEST_F(ConfigColumnsTest, ShowsTheDefinitionsAndTheSortedTypes) {
  EXPECT_EQ(Lines(), (std::vector<SLine>{{"A", "Quantity", ""},
                                         {"B", "Material", "Y"}}));
  QComboBox* types = m_page.TypeCombo();
  ASSERT_EQ(types->count(), 24);
  for (int i = 1; i < types->count(); ++i) {
    EXPECT_LT(
        types->itemText(i - 1).compare(types->itemText(i), Qt::CaseInsensitive),
        0);
  }
  EXPECT_EQ(types->itemText(0), "ABM Number");
  EXPECT_EQ(Fields(), kCleared);

  Select(1);
  EXPECT_EQ(Fields(), (SLine{"B", "Material", "Y"}));
}

TEST_F(ConfigColumnsTest, HeaderBoxTurnsTypedLettersToUpperCase) {
  QTest::keyClicks(m_page.HeaderEdit(), "qty 2b");
  EXPECT_EQ(m_page.HeaderEdit()->text(), "QTY 2B");
  QTest::keyClick(m_page.HeaderEdit(), Qt::Key_Left);
  QTest::keyClicks(m_page.HeaderEdit(), "x");
  EXPECT_EQ(m_page.HeaderEdit()->text(), "QTY 2XB");
}

TEST_F(ConfigColumnsTest, ButtonsThatNeedASelectedLineSaySo) {
  struct Case {
    QPushButton* button;
    const char* message;
  };
  const Case cases[] = {
      {m_page.InsertButton(), "Select a point to insert at"},
      {m_page.UpdateButton(), "Select the column to update"},
      {m_page.RemoveButton(), "Select A Column To Remove"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    m_prompts.ClearRecord();
    SetFields("NEW", "Grade", true);
    c.button->click();
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0].text, c.message);
    EXPECT_EQ(m_prompts.Messages()[0].caption, "Kelconv Conversion Utility");
    EXPECT_EQ(Lines(), (std::vector<SLine>{{"A", "Quantity", ""},
                                           {"B", "Material", "Y"}}));
    EXPECT_EQ(Fields(), (SLine{"NEW", "Grade", "Y"}));
  }
}

TEST_F(ConfigColumnsTest, EditsChangeTheDefinitionsInPlace) {
  SetFields("MK", "Piece Mark", true);
  m_page.AddButton()->click();
  EXPECT_EQ(Lines(), (std::vector<SLine>{{"A", "Quantity", ""},
                                         {"B", "Material", "Y"},
                                         {"MK", "Piece Mark", "Y"}}));
  EXPECT_EQ(Fields(), kCleared);

  // The new definition comes before the selected one, which stays selected.
  Select(1);
  SetFields("LEN", "Length(Ft + In)", false);
  m_page.InsertButton()->click();
  EXPECT_EQ(Lines(), (std::vector<SLine>{{"A", "Quantity", ""},
                                         {"LEN", "Length(Ft + In)", ""},
                                         {"B", "Material", "Y"},
                                         {"MK", "Piece Mark", "Y"}}));
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(Fields(), kCleared);

  // Update takes all three fields; its line is replaced and not selected.
  m_page.List()->clearSelection();
  Select(0);
  EXPECT_EQ(Fields(), (SLine{"A", "Quantity", ""}));
  SetFields("QTY", "Quantity", true);
  m_page.UpdateButton()->click();
  EXPECT_EQ(Lines()[0], (SLine{"QTY", "Quantity", "Y"}));
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(Fields(), kCleared);

  // Remove leaves the fields showing the removed definition.
  Select(2);
  m_page.RemoveButton()->click();
  EXPECT_EQ(Lines(), (std::vector<SLine>{{"QTY", "Quantity", "Y"},
                                         {"LEN", "Length(Ft + In)", ""},
                                         {"MK", "Piece Mark", "Y"}}));
  EXPECT_EQ(Selected(), -1);
  EXPECT_EQ(Fields(), (SLine{"B", "Material", "Y"}));

  Select(0);
  m_page.RemoveAllButton()->click();
  EXPECT_TRUE(Lines().empty());
  EXPECT_TRUE(m_prompts.Messages().empty());

  // Any header is accepted, an empty one and a repeated one included.
  SetFields("", "None", false);
  m_page.AddButton()->click();
  m_page.AddButton()->click();
  EXPECT_EQ(Lines(), (std::vector<SLine>{{"", "None", ""}, {"", "None", ""}}));
}

}  // namespace
