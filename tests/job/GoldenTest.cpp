// SPDX-License-Identifier: GPL-3.0-or-later
// Whole conversions compared byte for byte with reviewed expected files
// (tests/data/golden/README.md says how each one was checked).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "job/ConversionJob.h"
#include "config/Configuration.h"
#include "TestRequest.h"

namespace {

const std::string kGolden = std::string(KELCONV_TEST_DATA) + "/golden/";
const std::string kExamples = std::string(KELCONV_EXAMPLES) + "/";

struct GoldenCase {
  const char* name;
  std::vector<std::string> inputs;  // converted in order, appended after the
                                    // first, as the desktop program does
  std::string config;
  bool exportRows;
  int headerOption;
  const char* expected;
};

// clang-format off
const GoldenCase kCases[] = {
    {"sample", {kExamples + "sample.orb"}, kExamples + "sample.cfg", false, 0, "sample.kel"},
    {"sample_export", {kExamples + "sample.orb"}, kExamples + "sample.cfg", true, 0, "sample.txt"},
    {"handed", {kGolden + "handed.orb"}, kGolden + "handed.cfg", false, 0, "handed.kel"},
    {"bottom_up", {kGolden + "bottomup.orb"}, kGolden + "bottomup.cfg", false, 0, "bottomup.kel"},
    {"feet_and_inches", {kGolden + "feetinches.orb"}, kGolden + "feetinches.cfg", false, 0,
     "feetinches.kel"},
    {"export_header_once", {kGolden + "exportA.orb", kGolden + "exportB.orb"},
     kGolden + "export.cfg", true, 1, "export-once.txt"},
    {"export_header_each", {kGolden + "exportA.orb", kGolden + "exportB.orb"},
     kGolden + "export.cfg", true, 2, "export-each.txt"}};
// clang-format on

TEST(GoldenTest, OutputMatchesReviewedFiles) {
  for (const GoldenCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    CRecordingJobUi ui;
    const std::string output = dir.Path("out");
    for (size_t i = 0; i < c.inputs.size(); ++i) {
      CConversionJob job(ui, dir.Path("DISCARD.TXT"));
      EXPECT_EQ(job.ConvertFile(TestRequest(c.inputs[i], output, c.config,
                                            c.exportRows, static_cast<int>(i),
                                            c.headerOption)),
                0);
    }
    EXPECT_EQ(ui.m_messages, std::vector<std::string>{});
    const std::string expected = TempDir::Read(kGolden + c.expected);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(TempDir::Read(output), expected);
  }
}

// The configurations are binary files; this spells out what each holds.
std::string Describe(const CConfiguration& config) {
  CConfiguration defaults;
  defaults.ResetToDefaults();
  std::string text;
  for (const CConfigColumnItem& column : config.m_columns) {
    text += column.m_strHeader + "=" + column.m_strType +
            (column.m_bFractions ? "+fractions" : "") + "|";
  }
  for (int i = 0; i < kMaterialCodeCount; ++i) {
    if (config.MaterialCode(i) != defaults.MaterialCode(i)) {
      text += "code" + std::to_string(i) + "=" + config.MaterialCode(i) + "|";
    }
  }
  for (int i = 0; i < kFractionCount; ++i) {
    if (config.Fraction(i) != defaults.Fraction(i)) {
      text += "fraction" + std::to_string(i) + "=" + config.Fraction(i) + "|";
    }
  }
  text += "grades=";
  for (int i = 0; i < kFamilyCount; ++i) {
    text += config.DefaultGrade(i) + (i + 1 < kFamilyCount ? "," : "|");
  }
  text += "default=" + config.m_strDefaultGrade + "|";
  for (size_t i = 0; i < config.m_searchFor.size(); ++i) {
    if (config.m_searchFor[i].empty()) continue;
    text += "replace '" + config.m_searchFor[i] + "' by '" +
            (i < config.m_replaceWith.size() ? config.m_replaceWith[i] : "") +
            "'|";
  }
  text += "left/right=" + config.m_strLeftRight + "," + config.m_strLeft + "," +
          config.m_strRight + "|diameter=" + config.m_strDiameter +
          "|schedule=" + config.m_strSchedule +
          "|ignore case=" + std::to_string(config.m_bFractionIgnoreCase) +
          "|discard MM=" + std::to_string(config.m_bDiscardInOutput) +
          "|HSS=" + std::to_string(config.m_bUseHssForTubes);
  return text;
}

TEST(GoldenTest, ConfigurationFilesHoldWhatTheExpectedFilesAssume) {
  const struct {
    std::string path;
    const char* description;
  } kConfigs[] = {
      {kExamples + "sample.cfg",
       "MARK=Piece Mark|QTY=Quantity|DESCRIPTION=Material+fractions|"
       "LENGTH=Length(Ft + In)+fractions|GRADE=Grade|REMARKS=Remarks|"
       "WEIGHT=Weight|grades=A992,A36,A36,A572,A992,A36,A36,A36,A36,A36,A36,"
       "A36,A36,A500,A36,A615,A53,,,|default=A36|left/right=L/R,,|"
       "diameter=%%C|schedule=SCH|ignore case=0|discard MM=0|HSS=0"},
      {kGolden + "handed.cfg",
       "MK=Major PC Mark|PC=Piece Mark|QTY=Quantity|MATERIAL=Material|"
       "LENGTH=Length(Ft + In)|REMARKS=Remarks|grades=A992,A36,A36,A36,A36,"
       "A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,,,,|default=|"
       "left/right=L/R,,|diameter=%%C|schedule=SCH|ignore case=0|"
       "discard MM=1|HSS=0"},
      {kGolden + "bottomup.cfg",
       "PIECE=Piece Mark|QTY.=Quantity|SIZE=Material|LENGTH=Length(Ft + In)|"
       "REMARKS=Remarks|grades=A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,"
       "A36,A36,A500,A36,A36,A36,A36,A36,A36|default=|replace 'HSS' by 'TS'|"
       "replace 'PLATE ' by 'PL'|left/right=L/R,-LFT,-RGT|diameter=%%C|"
       "schedule=SCH|ignore case=0|discard MM=0|HSS=1"},
      {kGolden + "feetinches.cfg",
       "MARK=Piece Mark|QTY=Quantity|DESCRIPTION=Material|FT=Length(Feet)|"
       "IN=Length(Inches)+fractions|GRADE=Grade|SEQ=Sequence|WT=Weight|"
       "REMARKS=Remarks|CAMBER=Camber|PRICE=Price|SHOP HRS=Shop Hours|"
       "grades=50,A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,A36,A500,A36,"
       "A36,A36,A36,,|default=|left/right=L/R,,|diameter=%%C|schedule=SCH|"
       "ignore case=1|discard MM=0|HSS=0"},
      {kGolden + "export.cfg",
       "NO.=None|MARK=Piece Mark|QTY=Quantity|MATERIAL=Material+fractions|"
       "LENGTH=Length(Ft + In)+fractions|REMARKS=Remarks|code9=PLT|"
       "grades=,,,,,,,,,,,,,,,,,,,|default=|left/right=L/R,,|diameter=%%C|"
       "schedule=SCH|ignore case=0|discard MM=0|HSS=0"},
  };
  for (const auto& c : kConfigs) {
    SCOPED_TRACE(c.path);
    CConfiguration config;
    ASSERT_EQ(LoadConfigurationFile(c.path, config), 0);
    EXPECT_EQ(Describe(config), c.description);
  }
}

}  // namespace
