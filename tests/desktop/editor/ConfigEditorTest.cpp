// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigEditor.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QTreeWidget>
#include <filesystem>

#include "ConfigBytes.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"

namespace {

const QString kCaption = QStringLiteral("Kelconv Conversion Utility");

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Runs the editor on `path`, answering the sheet with `answer`.
CScriptedPrompts Edit(const std::string& path,
                      std::function<void(CConfigSheet&)> answer) {
  CScriptedPrompts prompts;
  prompts.QueueDialog([&](QDialog& dialog) {
    answer(dynamic_cast<CConfigSheet&>(dialog));
    return dialog.result();
  });
  EditConfiguration(nullptr, prompts, Q(path));
  EXPECT_EQ(prompts.Remaining(), 0u);
  return prompts;
}
void PressOk(CConfigSheet& sheet) {
  sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
}

TEST(ConfigEditorTest, NewFileAndOkStoresTheDefaults) {
  TempDir dir;
  const std::string path = dir.Path("new.cfg");
  EXPECT_TRUE(Edit(path, [](CConfigSheet& sheet) {
                EXPECT_EQ(sheet.windowTitle(), "Configuration - new.cfg");
                PressOk(sheet);
              }).MessageTexts().isEmpty());
  EXPECT_EQ(TempDir::Read(path), EncodeConfig(NewConfigFields(), 6));
}

// Open and OK without changes writes back every field, except: version 6
// with the values an older version lacked, 6 search and 6 replace texts, 24
// codes, 15 fractions, and indicators without surrounding white space. A
// text longer than its box's limit survives.
TEST(ConfigEditorTest, OpenAndOkRoundTripsOlderVersions) {
  SConfigFields v2;
  v2.columns = {
      {"mark", "Piece Mark", 0}, {"SIZE", "Material", 7}, {"", "Bogus", 1}};
  v2.reserved = 7;
  v2.reserved1 = 2.5;
  v2.reserved2 = -0.125;
  v2.codes = NewConfigFields().codes;
  v2.codes[3] = "HP-LONGER-THAN-15";
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
  v2Out.columns[1].fractions = 1;
  v2Out.leftRight = "L/R";
  v2Out.left = "LEFT";
  v2Out.search = {"FOO", "BAR", "", "", "", ""};
  v2Out.replace.resize(6);
  v2Out.grades.assign(20, "");
  v2Out.defaultGrade = "A36";

  SConfigFields v5 = NewConfigFields();
  v5.codes.resize(22);
  v5.fractions.push_back("extra");
  v5.fractions[0] = "\xE9";  // Latin-1 passes unchanged
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
  v5Out.defaultGrade = "A36";
  v5Out.replace.assign(6, "");

  const struct {
    int version;
    SConfigFields input, expected;
  } cases[] = {{2, v2, v2Out}, {5, v5, v5Out}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    TempDir dir;
    const std::string path =
        dir.Write("old.cfg", EncodeConfig(c.input, c.version));
    EXPECT_TRUE(Edit(path, PressOk).MessageTexts().isEmpty());
    EXPECT_EQ(TempDir::Read(path), EncodeConfig(c.expected, 6));
  }
}

// Every box and switch lands in its own field.
TEST(ConfigEditorTest, TypedSettingsReachTheFile) {
  CConfiguration typed;
  typed.ResetToDefaults();
  typed.m_columns = {{"MARK", "Piece Mark", false, kColPieceMark},
                     {"QTY", "Quantity", true, kColQuantity}};
  for (int i = 0; i < 24; ++i) {
    const std::string n = std::to_string(i);
    typed.m_materialCodes[i] = "C" + n;
    if (i < 20) typed.m_defaultGrades[i] = "G" + n;
    if (i < 15) typed.m_fractions[i] = "F" + n;
    if (i < 6) typed.m_searchFor.push_back("S" + n);
    if (i < 6) typed.m_replaceWith.push_back("R" + n);
  }
  typed.m_strDefaultGrade = "DG";
  typed.m_strDiameter = "DIA";
  typed.m_strLeftRight = "LR";
  typed.m_strLeft = "LT";
  typed.m_strRight = "RT";
  typed.m_strSchedule = "SC";
  typed.m_bFractionIgnoreCase = 1;
  typed.m_bDiscardInOutput = 1;
  typed.m_bUseHssForTubes = 1;

  // The bundled example's configuration typed in comes back equal, so it
  // converts the example as its own file does.
  CConfiguration example;
  ASSERT_EQ(LoadConfigurationFile(KELCONV_EXAMPLES "/sample.cfg", example), 0);
  for (const CConfiguration& settings : {typed, example}) {
    TempDir dir;
    const std::string path = dir.Path("typed.cfg");
    const CScriptedPrompts prompts = Edit(path, [&](CConfigSheet& sheet) {
      TypeSettings(settings, sheet);
      PressOk(sheet);
    });
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
    CConfiguration stored;
    ASSERT_EQ(LoadConfigurationFile(path, stored), 0);
    EXPECT_EQ(stored, settings);
  }
}

TEST(ConfigEditorTest, CancelWritesNothing) {
  TempDir dir;
  SConfigFields fields = NewConfigFields();
  fields.columns = {{"MARK", "Piece Mark", 0}, {"QTY", "Quantity", 0}};
  fields.leftRight = " L/R ";  // OK would trim it
  const std::string original = EncodeConfig(fields, 4);
  const std::string path = dir.Write("keep.cfg", original);
  Edit(path, [](CConfigSheet& sheet) {
    sheet.Columns()->List()->topLevelItem(0)->setSelected(true);
    sheet.Columns()->RemoveButton()->click();
    sheet.Columns()->AddButton()->click();
    sheet.Materials()->CodeBox(0)->setText("WIDE");
    sheet.Buttons()->button(QDialogButtonBox::Cancel)->click();
  });
  EXPECT_EQ(TempDir::Read(path), original);

  const std::string fresh = dir.Path("fresh.cfg");
  Edit(fresh, [](CConfigSheet& sheet) { sheet.reject(); });
  EXPECT_FALSE(std::filesystem::exists(fresh));
}

// The work of the sheet is never lost silently.
TEST(ConfigEditorTest, ConfigurationNotSavedIsReported) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path("folder.cfg"));
  for (const std::string& path :
       {dir.Path("missing/new.cfg"), dir.Path("folder.cfg"), std::string()}) {
    const QString message =
        path.empty() ? "No configuration file name was given; the "
                       "configuration was not saved."
                     : "The configuration file \"" + Q(path) +
                           "\" could not be written; the configuration was "
                           "not saved.";
    const CScriptedPrompts prompts = Edit(path, PressOk);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, message);
    EXPECT_EQ(prompts.Messages()[0].caption, kCaption);
  }
}

TEST(ConfigEditorTest, DamagedFileIsReportedAndLeftAlone) {
  const std::string whole = EncodeConfig(NewConfigFields(), 6);
  // A header of 32752 characters announced, none there.
  const std::string longHeader =
      CBytes().U32(99999).U32(6).U32(1).out + "\xFF\xF0\x7F";
  for (const std::string& bytes :
       {whole.substr(0, 50), whole.substr(0, whole.size() - 3), longHeader}) {
    TempDir dir;
    const std::string path = dir.Write("bad.cfg", bytes);
    CScriptedPrompts prompts;  // no sheet is scripted: it must not open
    EditConfiguration(nullptr, prompts, Q(path));
    ASSERT_EQ(prompts.Requests().size(), 1u);
    EXPECT_EQ(prompts.MessageTexts(),
              QStringList{"The configuration file \"" + Q(path) +
                          "\" is damaged and cannot be edited."});
    EXPECT_EQ(prompts.Messages()[0].caption, kCaption);
    EXPECT_EQ(TempDir::Read(path), bytes);
  }
}

}  // namespace
