// SPDX-License-Identifier: GPL-3.0-or-later
// Whole conversions compared byte for byte with reviewed expected files
// (tests/data/golden/README.md says how each one was checked).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// configurations.txt: one line per configuration, its file name (in
// golden/, else in the examples) and what Describe makes of it.
TEST(GoldenTest, ConfigurationFilesHoldWhatTheExpectedFilesAssume) {
  std::ifstream list(kGolden + "configurations.txt");
  std::string name, description;
  int count = 0;
  while (list >> name && std::getline(list >> std::ws, description)) {
    SCOPED_TRACE(name);
    const std::string path =
        (std::filesystem::exists(kGolden + name) ? kGolden : kExamples) + name;
    CConfiguration config;
    ASSERT_EQ(LoadConfigurationFile(path, config), 0);
    EXPECT_EQ(Describe(config), description);
    ++count;
  }
  EXPECT_EQ(count, 5);
}

}  // namespace
