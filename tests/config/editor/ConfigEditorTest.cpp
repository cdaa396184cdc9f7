#include "config/editor/ConfigEditor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <string>

#include "ConfigBytes.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "config/editor/ConfigColumns.h"
#include "config/editor/ConfigFractions.h"
#include "config/editor/ConfigMaterials.h"
#include "config/editor/ConfigMisc.h"
#include "config/editor/ConfigSheet.h"

namespace {

const QString kCaption = QStringLiteral("Kelconv Conversion Utility");

QString Q(const std::string& text) { return QString::fromStdString(text); }

CConfigSheet& Sheet(QDialog& dialog) {
  return dynamic_cast<CConfigSheet&>(dialog);
}

// Runs the editor on `path`, answering the sheet with `answer`.
CScriptedPrompts Edit(const std::string& path,
                      CScriptedPrompts::DialogAnswer answer) {
  CScriptedPrompts prompts;
  prompts.QueueDialog(std::move(answer));
  EditConfiguration(nullptr, prompts, Q(path));
  EXPECT_EQ(prompts.Remaining(), 0u);
  return prompts;
}

TEST(ConfigEditorTest, NewFileAndOkStoresTheDefaults) {
  TempDir dir;
  const std::string path = dir.Path("new.cfg");
  const CScriptedPrompts prompts = Edit(path, [](QDialog& dialog) {
    CConfigSheet& sheet = Sheet(dialog);
    EXPECT_EQ(sheet.windowTitle(), "Configuration");
    QTabWidget* tabs = sheet.Tabs();
    EXPECT_EQ(tabs->count(), 4);
    const char* const titles[] = {"Columns", "Materials", "Fractions", "Misc"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(tabs->tabText(i), titles[i]);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(sheet.Buttons()->standardButtons(),
              QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    return CScriptedPrompts::Accept(dialog);
  });
  EXPECT_TRUE(prompts.MessageTexts().isEmpty());
  const std::string bytes = TempDir::Read(path);
  EXPECT_EQ(
      bytes.substr(0, 12),
      std::string("\x9F\x86\x01\x00\x06\x00\x00\x00\x00\x00\x00\x00", 12));
  EXPECT_EQ(bytes, EncodeConfig(NewConfigFields(), 6));
}

// Opening a file and pressing OK without changes writes back every field,
// except: version 6 with the values an older version lacked, 6 search and 6
// replace texts, 24 codes, 15 fractions, and indicators without surrounding
// white space.
TEST(ConfigEditorTest, OpenAndOkRoundTripsOlderVersions) {
  struct Case {
    const char* name;
    int version;
    SConfigFields input;
    SConfigFields expected;
  };
  SConfigFields v2;
  v2.columns = {{"mark", "Piece Mark", 0},
                {"QTY", "Quantity", 1},
                {"SIZE", "Material", 7},
                {"", "Bogus", 0}};
  v2.reserved = 7;
  v2.reserved1 = 2.5;
  v2.reserved2 = -0.125;
  v2.codes = NewConfigFields().codes;
  v2.codes[3] = "HP-LONGER-THAN-15";
  v2.codes[23] = "GAGE";
  v2.fractions = {"A", "B", "C", "D", "E", "F", "G", "H",
                  "I", "J", "K", "L", "M", "N", "Os"};
  v2.diameter = " DIA ";
  v2.ignoreCase = 1;
  v2.leftRight = "  L/R  ";
  v2.schedule = " SCH ";
  v2.discard = 1;
  v2.left = "\tLEFT ";
  v2.search = {"FOO", "BAR"};
  v2.replace = {"1", "2", "3", "4", "5", "6", "7", "8"};
  SConfigFields v2Out = v2;
  v2Out.columns[2].fractions = 1;
  v2Out.leftRight = "L/R";
  v2Out.left = "LEFT";
  v2Out.search = {"FOO", "BAR", "", "", "", ""};
  v2Out.replace = {"1", "2", "3", "4", "5", "6"};
  v2Out.grades.assign(20, "");
  v2Out.defaultGrade = "A36";

  SConfigFields v5 = NewConfigFields();
  v5.codes.resize(22);
  v5.fractions.push_back("extra");
  v5.fractions[0] = "\xE9";  // a Latin-1 letter passes unchanged
  v5.useHss = 1;
  v5.right = " R ";
  v5.search = {"a", "b", "c", "d", "e", "f"};
  v5.replace.clear();
  for (int i = 0; i < 20; ++i) v5.grades[i] = "G" + std::to_string(i);
  v5.grades[19] = "A572-GR50-X";
  SConfigFields v5Out = v5;
  v5Out.codes.resize(24);
  v5Out.fractions.resize(15);
  v5Out.right = "R";
  v5Out.replace.assign(6, "");
  v5Out.defaultGrade = "A36";

  const Case cases[] = {{"version 2", 2, v2, v2Out},
                        {"version 5", 5, v5, v5Out}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path =
        dir.Write("old.cfg", EncodeConfig(c.input, c.version));
    const CScriptedPrompts prompts = Edit(path, &CScriptedPrompts::Accept);
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
    EXPECT_EQ(TempDir::Read(path), EncodeConfig(c.expected, 6));
  }
}

// Every box and switch of the three value pages lands in its own field.
TEST(ConfigEditorTest, EditsOnEveryPageReachTheFile) {
  TempDir dir;
  const std::string path = dir.Path("edited.cfg");
  SConfigFields expected = NewConfigFields();
  for (int i = 0; i < 24; ++i) expected.codes[i] = "C" + std::to_string(i);
  for (int i = 0; i < 20; ++i) expected.grades[i] = "G" + std::to_string(i);
  for (int i = 0; i < 15; ++i) expected.fractions[i] = "F" + std::to_string(i);
  for (int i = 0; i < 6; ++i) {
    expected.search[i] = "S" + std::to_string(i);
    expected.replace[i] = "R" + std::to_string(i);
  }
  expected.defaultGrade = "DG";
  expected.diameter = "DIA";
  expected.leftRight = "LR";
  expected.left = "LT";
  expected.right = "RT";
  expected.schedule = "SC";
  expected.ignoreCase = 1;
  expected.discard = 1;
  expected.useHss = 1;

  Edit(path, [&](QDialog& dialog) {
    CConfigSheet& sheet = Sheet(dialog);
    CConfigMaterials& materials = *sheet.Materials();
    for (int i = 0; i < 24; ++i) {
      materials.CodeBox(i)->setText(Q(expected.codes[i]));
    }
    for (int i = 0; i < 20; ++i) {
      materials.GradeBox(i)->setText(Q(expected.grades[i]));
    }
    materials.DefaultGradeBox()->setText("DG");
    materials.DiameterBox()->setText("DIA");
    materials.LeftRightBox()->setText("LR");
    materials.LeftBox()->setText("LT");
    materials.RightBox()->setText("RT");
    materials.ScheduleBox()->setText("SC");
    materials.DiscardCheck()->setChecked(true);
    materials.UseHssCheck()->setChecked(true);
    for (int i = 0; i < 15; ++i) {
      sheet.Fractions()->FractionBox(i)->setText(Q(expected.fractions[i]));
    }
    // Opened checked: the new configuration's fractions respect case.
    EXPECT_TRUE(sheet.Fractions()->CaseSensitiveCheck()->isChecked());
    sheet.Fractions()->CaseSensitiveCheck()->setChecked(false);
    for (int i = 0; i < 6; ++i) {
      sheet.Misc()->SearchBox(i)->setText(Q(expected.search[i]));
      sheet.Misc()->ReplaceBox(i)->setText(Q(expected.replace[i]));
    }
    sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
    return dialog.result();
  });
  EXPECT_EQ(TempDir::Read(path), EncodeConfig(expected, 6));
}

TEST(ConfigEditorTest, BoxesAcceptNoMoreThanTheirLimit) {
  CScriptedPrompts prompts;
  CConfigSheet sheet(prompts);
  struct Case {
    QLineEdit* box;
    int limit;
  };
  const CConfigMaterials& m = *sheet.Materials();
  const Case cases[] = {{m.CodeBox(0), 15},
                        {m.CodeBox(19), 15},
                        {m.CodeBox(23), 15},
                        {m.GradeBox(0), 10},
                        {m.GradeBox(19), 10},
                        {m.DefaultGradeBox(), 15},
                        {m.DiameterBox(), 15},
                        {m.LeftRightBox(), 15},
                        {m.LeftBox(), 15},
                        {m.RightBox(), 15},
                        {m.ScheduleBox(), 15},
                        {sheet.Fractions()->FractionBox(0), 20},
                        {sheet.Fractions()->FractionBox(14), 20}};
  const QString typed = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box->objectName().toStdString());
    QTest::keyClicks(c.box, typed);
    EXPECT_EQ(c.box->text(), typed.left(c.limit));
  }
  QTest::keyClicks(sheet.Misc()->SearchBox(0), typed + typed);
  EXPECT_EQ(sheet.Misc()->SearchBox(0)->text(), typed + typed);
}

TEST(ConfigEditorTest, CancelWritesNothing) {
  TempDir dir;
  SConfigFields fields = NewConfigFields();
  fields.columns = {{"MARK", "Piece Mark", 0}, {"QTY", "Quantity", 0}};
  fields.leftRight = " L/R ";  // OK would trim it
  const std::string original = EncodeConfig(fields, 4);
  const std::string path = dir.Write("keep.cfg", original);
  Edit(path, [](QDialog& dialog) {
    CConfigSheet& sheet = Sheet(dialog);
    sheet.Columns()->List()->topLevelItem(0)->setSelected(true);
    sheet.Columns()->RemoveButton()->click();
    sheet.Columns()->AddButton()->click();
    sheet.Materials()->CodeBox(0)->setText("WIDE");
    sheet.Buttons()->button(QDialogButtonBox::Cancel)->click();
    return dialog.result();
  });
  EXPECT_EQ(TempDir::Read(path), original);

  const std::string fresh = dir.Path("fresh.cfg");
  Edit(fresh, &CScriptedPrompts::Reject);
  EXPECT_FALSE(std::filesystem::exists(fresh));
}

// The work of the sheet is never lost silently: a file that cannot be
// written, or no file name at all, is reported.
TEST(ConfigEditorTest, ConfigurationNotSavedIsReported) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("folder.cfg"));
  struct Case {
    std::string path;
    QString message;
  };
  const Case cases[] = {
      {dir.Path("missing/new.cfg"),
       "The configuration file \"" + Q(dir.Path("missing/new.cfg")) +
           "\" could not be written; the configuration was not saved."},
      {dir.Path("folder.cfg"),
       "The configuration file \"" + Q(dir.Path("folder.cfg")) +
           "\" could not be written; the configuration was not saved."},
      {"",
       "No configuration file name was given; the configuration was not "
       "saved."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    const CScriptedPrompts prompts = Edit(c.path, &CScriptedPrompts::Accept);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, c.message);
    EXPECT_EQ(prompts.Messages()[0].caption, kCaption);
  }
}

TEST(ConfigEditorTest, DamagedFileIsReportedAndLeftAlone) {
  const std::string whole = EncodeConfig(NewConfigFields(), 6);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"ends inside the material codes", whole.substr(0, 50)},
      {"ends inside the default grades", whole.substr(0, whole.size() - 3)},
      {"a header longer than the file",
       CBytes().U32(99999).U32(6).U32(1).Str("\xFF\xF0\x7F").Bytes()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.Write("bad.cfg", c.bytes);
    CScriptedPrompts prompts;  // no sheet is scripted: it must not open
    EditConfiguration(nullptr, prompts, Q(path));
    ASSERT_EQ(prompts.Requests().size(), 1u);
    EXPECT_EQ(prompts.MessageTexts(),
              QStringList{"The configuration file \"" + Q(path) +
                          "\" is damaged and cannot be edited."});
    EXPECT_EQ(prompts.Messages()[0].caption, kCaption);
    EXPECT_EQ(TempDir::Read(path), c.bytes);
  }
}

}  // namespace
