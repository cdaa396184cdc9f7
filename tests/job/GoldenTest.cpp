// SPDX-License-Identifier: GPL-3.0-or-later
// Whole conversions compared byte for byte with reviewed expected files
// (tests/data/golden/README.md says how each one was checked; what each
// configuration holds is the run folder golden-configurations).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "job/ConversionJob.h"
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

}  // namespace
