// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion report's warnings name what went wrong (its outcomes and
// readings, and the program's "--report", are run folders).
#include "job/ConversionReport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "TempDir.h"
#include "TestConfiguration.h"
#include "job/ConversionJob.h"
#include "TestRequest.h"

namespace {

// `lines` item lines 4 units apart under MARK, QTY, DESCRIPTION and LENGTH,
// each text up to 0.06 above or below its line; `extra` is appended.
std::string Table(int lines, const std::string& extra = "") {
  std::string text =
      "(1 9000 0),MARK\n(11 9000 0),QTY\n"
      "(21 9000 0),DESCRIPTION\n(41 9000 0),LENGTH\n";
  for (int r = 0; r < lines; ++r) {
    const double y = 8996 - 4.0 * r;
    const double jitter[] = {0.06, -0.04, 0.0, -0.06};
    char line[160];
    std::snprintf(line, sizeof line,
                  "(1 %.2f 0),B%d\n(11 %.2f 0),%d\n(21 %.2f 0),W8X31\n"
                  "(41 %.2f 0),12'-6\n",
                  y + jitter[r % 4], r, y + jitter[(r + 1) % 4], 1 + r % 5,
                  y + jitter[(r + 2) % 4], y + jitter[(r + 3) % 4]);
    text += line;
  }
  return text + extra;
}

class ConversionReportTest : public testing::Test {
 protected:
  void SetUp() override { WriteTestConfiguration(m_dir); }

  // Converts `input` with a report; the output goes to out.kel.
  CConversionReport Convert(const std::string& input, const std::string& config) {
    CConversionReport report;
    CConversionJob job(m_ui, m_dir.Path("DISCARD.TXT"));
    job.SetReport(&report);
    job.ConvertFile(TestRequest(input, m_dir.Path("out.kel"), config));
    return report;
  }

  TempDir m_dir;
  CRecordingJobUi m_ui;
};

TEST_F(ConversionReportTest, Warnings) {
  // Two texts at one height in the description column of the first line:
  // they compete at every tolerance, so the search ends at 0, every text
  // makes a row of its own and no row is an item.
  const std::string overlap = "(20 8995.99 0),GALV\n(22 8995.99 0),PAINTED\n";
  // Five note lines below the items: 3 of 8 rows are items, 5 of 10 are.
  std::string notes;
  for (int r = 0; r < 5; ++r) {
    notes += "(21 " + std::to_string(8900 - 4 * r) + " 0),NOTE\n";
  }
  struct Case {
    const char* name;
    std::string drawing;
    std::vector<ReportWarningKind> kinds;
    std::vector<std::string> named;  // texts the warnings must quote
  };
  const Case kCases[] = {
      {"clean", Table(20), {}, {}},
      {"tall table",
       Table(1500),
       {ReportWarningKind::kNoItems, ReportWarningKind::kRowSearch},
       {}},
      {"two texts in one cell",
       Table(20, overlap),
       {ReportWarningKind::kNoItems, ReportWarningKind::kRowSearch,
        ReportWarningKind::kCellConflict},
       {"\"GALV\" at (20.000, 8995.990) and \"PAINTED\" at (22.000, "
        "8995.990) fell into one cell"}},
      {"few rows are items",
       Table(3, notes),
       {ReportWarningKind::kFewItems},
       {"only 3 of 8 rows below the headers are items"}},
      {"half the rows are items", Table(5, notes), {}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const CConversionReport report =
        Convert(m_dir.Write("in.orb", c.drawing), m_dir.Path("my.cfg"));
    EXPECT_EQ(report.m_outcome, ReportOutcome::kWritten);
    std::vector<ReportWarningKind> kinds;
    for (const CReportWarning& warning : report.m_warnings) {
      kinds.push_back(warning.m_kind);
    }
    EXPECT_EQ(kinds, c.kinds);
    const std::string text = FormatReportText(report);
    for (const std::string& name : c.named) {
      EXPECT_NE(text.find(name), std::string::npos) << name << "\n" << text;
    }
  }
}

}  // namespace
