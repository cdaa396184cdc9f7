// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigEditor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "TestConfiguration.h"
#include "desktop/editor/ConfigColumns.h"
#include "desktop/editor/ConfigFractions.h"
#include "desktop/editor/ConfigMaterials.h"
#include "desktop/editor/ConfigMisc.h"
#include "desktop/editor/ConfigSheet.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Runs the editor on `path`, answering the sheet with `answer`; the editor
// has nothing to say.
void Edit(const std::string& path, std::function<void(CConfigSheet&)> answer) {
  CScriptedPrompts prompts;
  prompts.QueueDialog([&](QDialog& dialog) {
    answer(dynamic_cast<CConfigSheet&>(dialog));
    return dialog.result();
  });
  EditConfiguration(nullptr, prompts, Q(path));
  EXPECT_EQ(prompts.Remaining(), 0u);
  EXPECT_EQ(prompts.MessageTexts(), QStringList());
}
void PressOk(CConfigSheet& sheet) {
  sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
}

// The program's own writer lays the bytes out (the golden configurations pin
// it); a version 6 file relabelled as an older version reads as that version,
// since the bytes after an older layout's last field are ignored.
std::string FileOf(const CConfiguration& config, char version = 6) {
  std::string bytes = Stored(config);
  bytes[4] = version;
  return bytes;
}

// Replaces the text of `box` by typing, as a user would.
inline void Retype(QLineEdit* box, const std::string& text) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, QString::fromLatin1(text));
}

// Types every setting of `c` into a sheet that shows a new configuration:
// each column through the fields and Add, every box and switch of the other
// pages.
inline void TypeSettings(const CConfiguration& c, CConfigSheet& sheet) {
  CConfigColumns& columns = *sheet.Columns();
  for (const CConfigColumnItem& column : c.m_columns) {
    Retype(columns.HeaderEdit(), column.m_strHeader);
    columns.TypeCombo()->setCurrentText(QString::fromLatin1(column.m_strType));
    columns.FractionsCheck()->setChecked(column.m_bFractions);
    columns.AddButton()->click();
  }
  CConfigMaterials& m = *sheet.Materials();
  for (int i = 0; i < kMaterialCodeCount; ++i) {
    Retype(m.CodeBox(i), c.MaterialCode(i));
  }
  for (int i = 0; i < kDefaultGradeCount; ++i) {
    Retype(m.GradeBox(i), c.DefaultGrade(i));
  }
  const std::pair<QLineEdit*, std::string> boxes[] = {
      {m.DefaultGradeBox(), c.m_strDefaultGrade},
      {m.DiameterBox(), c.m_strDiameter},
      {m.LeftRightBox(), c.m_strLeftRight},
      {m.LeftBox(), c.m_strLeft},
      {m.RightBox(), c.m_strRight},
      {m.ScheduleBox(), c.m_strSchedule}};
  for (const auto& [box, text] : boxes) Retype(box, text);
  m.UseHssCheck()->setChecked(c.m_bUseHssForTubes != 0);
  m.DiscardCheck()->setChecked(c.m_bDiscardInOutput != 0);
  for (int k = 0; k < kFractionCount; ++k) {
    Retype(sheet.Fractions()->FractionBox(k), c.Fraction(k));
  }
  sheet.Fractions()->CaseSensitiveCheck()->setChecked(!c.m_bFractionIgnoreCase);
  for (int i = 0; i < kSearchReplaceCount; ++i) {
    Retype(sheet.Misc()->SearchBox(i), c.m_searchFor.at(i));
    Retype(sheet.Misc()->ReplaceBox(i), c.m_replaceWith.at(i));
  }
}

TEST(ConfigEditorTest, NewFileAndOkStoresTheDefaults) {
  TempDir dir;
  const std::string path = dir.Path("new.cfg");
  Edit(path, [](CConfigSheet& sheet) {
    EXPECT_EQ(sheet.windowTitle(), "Configuration - new.cfg");
    PressOk(sheet);
  });
  EXPECT_EQ(TempDir::Read(path), FileOf(NewConfig()));
}

// Open and OK without changes writes back every field, except: version 6
// with the values an older version lacked, 6 search and 6 replace texts, 24
// codes, 15 fractions, and indicators without surrounding white space. A
// text longer than its box's limit survives.
TEST(ConfigEditorTest, OpenAndOkRoundTripsOlderVersions) {
  CConfiguration v2 = NewConfig();
  v2.m_columns = {{"mark", "Piece Mark", false, kColPieceMark},
                  {"SIZE", "Material", true, kColMaterial},
                  {"", "Bogus", true, kColNone}};
  v2.m_nReserved = 7;
  v2.m_dReserved1 = 2.5;
  v2.m_dReserved2 = -0.125;
  v2.m_materialCodes[3] = "HP-LONGER-THAN-15";
  v2.m_fractions = {"A", "B", "C", "D", "E", "F", "G", "H",
                    "I", "J", "K", "L", "M", "N", "Os"};
  v2.m_strDiameter = " DIA ";
  v2.m_bFractionIgnoreCase = 1;
  v2.m_strLeftRight = "  L/R  ";
  v2.m_strSchedule = " SCH ";
  v2.m_bDiscardInOutput = 1;
  v2.m_strLeft = "\tLEFT ";
  v2.m_searchFor = {"FOO", "BAR"};
  v2.m_replaceWith = {"1", "2", "3", "4", "5", "6", "7", "8"};
  std::string v2File = FileOf(v2, 2);
  v2File[v2File.find("Material") + 8] = 7;  // any flag but 0 is set
  CConfiguration v2Out = v2;
  v2Out.m_strLeftRight = "L/R";
  v2Out.m_strLeft = "LEFT";
  v2Out.m_searchFor = {"FOO", "BAR", "", "", "", ""};
  v2Out.m_replaceWith.resize(6);
  v2Out.m_strDefaultGrade = "A36";

  CConfiguration v5 = NewConfig();
  v5.m_materialCodes.resize(22);
  v5.m_fractions.push_back("extra");
  v5.m_fractions[0] = "\xE9";  // Latin-1 passes unchanged
  v5.m_bUseHssForTubes = 1;
  v5.m_strRight = " R ";
  v5.m_searchFor = {"a", "b", "c", "d", "e", "f"};
  v5.m_replaceWith.clear();
  for (int i = 0; i < 20; ++i) v5.m_defaultGrades[i] = "G" + std::to_string(i);
  v5.m_defaultGrades[19] = "A572-GR50-X";
  CConfiguration v5Out = v5;
  v5Out.m_materialCodes.resize(24);
  v5Out.m_fractions.resize(15);
  v5Out.m_strRight = "R";
  v5Out.m_strDefaultGrade = "A36";
  v5Out.m_replaceWith.assign(6, "");

  const struct {
    std::string input;
    CConfiguration expected;
  } cases[] = {{v2File, v2Out}, {FileOf(v5, 5), v5Out}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.input[4]));
    TempDir dir;
    const std::string path = dir.Write("old.cfg", c.input);
    Edit(path, PressOk);
    EXPECT_EQ(TempDir::Read(path), FileOf(c.expected));
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
    Edit(path, [&](CConfigSheet& sheet) {
      TypeSettings(settings, sheet);
      PressOk(sheet);
    });
    CConfiguration stored;
    ASSERT_EQ(LoadConfigurationFile(path, stored), 0);
    EXPECT_EQ(stored, settings);
  }
}

TEST(ConfigEditorTest, CancelWritesNothing) {
  TempDir dir;
  CConfiguration config = NewConfig();
  config.m_columns = {{"MARK", "Piece Mark", false, kColPieceMark},
                      {"QTY", "Quantity", false, kColQuantity}};
  config.m_strLeftRight = " L/R ";  // OK would trim it
  const std::string original = FileOf(config, 4);
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

// The work of the sheet is never lost silently; a damaged file is left as
// it was and the sheet never opens.
TEST(ConfigEditorTest, UnsavedWorkAndDamagedFilesAreReported) {
  const std::string whole = FileOf(NewConfig());
  // One column whose header of 32752 characters is announced, none there.
  const std::string longHeader =
      whole.substr(0, 8) + std::string("\1\0\0\0", 4) + "\xFF\xF0\x7F";
  const QString unsaved =
      "\" could not be written; the configuration was not saved.";
  const QString damaged = "\" is damaged and cannot be edited.";
  const struct {
    std::string name, bytes;
    QString message;
  } cases[] = {{"missing/new.cfg", "", unsaved},
               {"folder.cfg", "", unsaved},
               {"", "", ""},
               {"bad.cfg", whole.substr(0, 50), damaged},
               {"bad.cfg", whole.substr(0, whole.size() - 3), damaged},
               {"bad.cfg", longHeader, damaged}};
  for (const auto& c : cases) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path("folder.cfg"));
    const std::string path = c.name.empty() ? "" : dir.Path(c.name);
    if (!c.bytes.empty()) dir.Write(c.name, c.bytes);
    CScriptedPrompts prompts;
    if (c.bytes.empty())
      prompts.QueueDialog([](QDialog& dialog) {
        PressOk(dynamic_cast<CConfigSheet&>(dialog));
        return dialog.result();
      });
    EditConfiguration(nullptr, prompts, Q(path));
    EXPECT_EQ(prompts.Requests().size(), c.bytes.empty() ? 2u : 1u) << path;
    EXPECT_EQ(
        prompts.MessageTexts(),
        QStringList{path.empty()
                        ? "No configuration file name was given; the "
                          "configuration was not saved."
                        : "The configuration file \"" + Q(path) + c.message});
    EXPECT_EQ(prompts.Messages().at(0).caption, "Kelconv Conversion Utility");
    EXPECT_TRUE(c.bytes.empty() || TempDir::Read(path) == c.bytes) << path;
  }
}

// Pictures of the four pages of a filled-in configuration (the bundled
// example's), and of a column added with Enter and the next one being typed.
TEST(ConfigEditorTest, Screenshots) {
  TempDir dir;
  const std::string path =
      dir.Write("shop.cfg", TempDir::Read(KELCONV_EXAMPLES "/sample.cfg"));
  Edit(path, [](CConfigSheet& sheet) {
    const char* const names[] = {"columns", "materials", "fractions", "misc"};
    sheet.show();
    sheet.Columns()->List()->topLevelItem(2)->setSelected(true);
    for (int page = 0; page < sheet.Tabs()->count(); ++page) {
      sheet.Tabs()->setCurrentIndex(page);
      QApplication::processEvents();
      SaveScreenshot(sheet, QStringLiteral("config-") + names[page], true);
    }
    sheet.Tabs()->setCurrentIndex(0);
    CConfigColumns& columns = *sheet.Columns();
    columns.List()->clearSelection();
    columns.FractionsCheck()->setChecked(false);
    columns.HeaderEdit()->setFocus();
    Retype(columns.HeaderEdit(), "heat no");
    columns.TypeCombo()->setCurrentText("Remarks");
    QTest::keyClick(columns.HeaderEdit(), Qt::Key_Return);
    QTest::keyClicks(columns.HeaderEdit(), "finish");
    columns.TypeCombo()->setCurrentText("Finish");
    QApplication::processEvents();
    SaveScreenshot(sheet, "config-columns-typed", true);
    sheet.reject();
  });
}

}  // namespace
