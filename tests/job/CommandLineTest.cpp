// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  std::vector<std::string> args;
  int positional;
  std::string input, output, config;
  bool exportRows;
  int mode;  // 0 refuse, 1 overwrite, 2 append
};

TEST(CommandLine, OptionsAndPositionalArguments) {
  // clang-format off
  const Case cases[] = {
      {{"in.orb", "out.kel", "my.cfg"}, 3, "in.orb", "out.kel", "my.cfg", false, 0},
      {{"/a", "in.orb", "out.kel", "my.cfg"}, 3, "in.orb", "out.kel", "my.cfg", false, 2},
      {{"/O", "/A", "in.orb", "out.kel", "my.cfg"}, 3, "in.orb", "out.kel", "my.cfg", false, 2},
      {{"-a", "in.orb", "-o", "out.kel", "my.cfg"}, 3, "in.orb", "out.kel", "my.cfg", false, 1},
      {{"in.orb", "/e", "out.txt", "my.cfg", "/XYZ"}, 3, "in.orb", "out.txt", "my.cfg", true, 0},
      // Absolute paths are positional; only "/" + letters is an option.
      {{"/tmp/x/in.orb", "/tmp/x/out.kel", "/tmp/x/my.cfg"}, 3,
       "/tmp/x/in.orb", "/tmp/x/out.kel", "/tmp/x/my.cfg", false, 0},
      {{"/O2", "/", "/o.", "x"}, 4, "/O2", "/", "/o.", false, 0},
      // Unknown options are ignored; arguments beyond the third are counted.
      {{"-zz", "a", "b", "c", "d"}, 4, "a", "b", "c", false, 0},
      {{"in.orb", "out.kel"}, 2, "in.orb", "out.kel", "", false, 0},
      {{}, 0, "", "", "", false, 0}};
  // clang-format on
  for (const Case& c : cases) {
    const CCommandLineInfo info = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(info.m_nPositional, c.positional);
    EXPECT_EQ(info.m_strInput, c.input);
    EXPECT_EQ(info.m_strOutput, c.output);
    EXPECT_EQ(info.m_strConfig, c.config);
    EXPECT_EQ(info.m_bExport, c.exportRows);
    const ExistingOutput modes[] = {ExistingOutput::kRefuse,
                                    ExistingOutput::kOverwrite,
                                    ExistingOutput::kAppend};
    EXPECT_EQ(info.ExistingOutputMode(), modes[c.mode]);
    EXPECT_EQ(info.IsBatch(), c.positional == 3);
  }
}

// "--help" and "--version" are run whole by the batch mode tests.
TEST(CommandLine, ShortHelpOption) {
  EXPECT_TRUE(ParseCommandLine({"-h"}).m_bHelp);
  EXPECT_FALSE(ParseCommandLine({"-H"}).m_bHelp);
}

}  // namespace
