// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

struct Case {
  Names args;
  Names names;
  bool exportRows;
  int mode;  // 0 refuse, 1 overwrite, 2 append
};

TEST(CommandLine, OptionsAndNames) {
  // clang-format off
  const Case cases[] = {
      {{"in.orb", "out.kel", "my.cfg"}, {"in.orb", "out.kel", "my.cfg"}, false, 0},
      {{"/a", "in.orb", "out.kel", "my.cfg"}, {"in.orb", "out.kel", "my.cfg"}, false, 2},
      {{"/O", "/A", "in.orb", "out.kel", "my.cfg"}, {"in.orb", "out.kel", "my.cfg"}, false, 2},
      {{"-a", "in.orb", "-o", "out.kel", "my.cfg"}, {"in.orb", "out.kel", "my.cfg"}, false, 1},
      {{"in.orb", "/e", "out.txt", "my.cfg", "/XYZ"}, {"in.orb", "out.txt", "my.cfg"}, true, 0},
      // Absolute paths are positional; only "/" + letters is an option.
      {{"/tmp/x/in.orb", "/tmp/x/out.kel", "/tmp/x/my.cfg"},
       {"/tmp/x/in.orb", "/tmp/x/out.kel", "/tmp/x/my.cfg"}, false, 0},
      {{"/O2", "/", "/o.", "x"}, {"/O2", "/", "/o.", "x"}, false, 0},
      // Unknown options are ignored; "-" alone is standard input.
      {{"-zz", "a", "-", "c", "d"}, {"a", "-", "c", "d"}, false, 0},
      // "--" ends the options: a name may begin with "-" or "/".
      {{"/O", "--", "-in.orb", "/E", "--", "my.cfg"}, {"-in.orb", "/E", "--", "my.cfg"}, false, 1},
      {{"in.orb", "out.kel"}, {"in.orb", "out.kel"}, false, 0},
      {{"--"}, {}, false, 0}, {{}, {}, false, 0}};
  // clang-format on
  const ExistingOutput modes[] = {ExistingOutput::kRefuse,
                                  ExistingOutput::kOverwrite,
                                  ExistingOutput::kAppend};
  for (const Case& c : cases) {
    const CCommandLineInfo info = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(info.m_names, c.names);
    EXPECT_EQ(info.m_bExport, c.exportRows);
    EXPECT_EQ(info.ExistingOutputMode(), modes[c.mode]);
    // Three names or more convert, one or two cannot run, none is the dialog.
    const size_t n = c.names.size();
    EXPECT_EQ(info.IsBatch(), n >= 3);
    EXPECT_EQ(info.IsIncomplete(), n == 1 || n == 2);
    const CConversionRequest request = info.BatchRequest();
    EXPECT_EQ(info.BatchInputs(),
              n >= 3 ? Names(c.names.begin(), c.names.end() - 2) : Names());
    EXPECT_EQ(request.output, n >= 3 ? c.names[n - 2] : "");
    EXPECT_EQ(request.config, n >= 3 ? c.names[n - 1] : "");
    EXPECT_EQ(request.existing, modes[c.mode]);
  }
}

// "--help" and "--version" are run whole by the batch mode tests.
TEST(CommandLine, ShortHelpOption) {
  EXPECT_TRUE(ParseCommandLine({"-h"}).m_bHelp);
  EXPECT_FALSE(ParseCommandLine({"-H"}).m_bHelp);
}

}  // namespace
