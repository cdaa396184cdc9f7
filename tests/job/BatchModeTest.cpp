// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user runs it from a script, where a case needs more than
// a folder of tests/data/runs: memory running short.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "TestConfiguration.h"

namespace {

// Memory running short at any point of a reported conversion, the report
// included, gives a message and 1, never an abort. The limit starts where
// the program's libraries just load and grows until the run succeeds; a
// material text of 5 MB makes the report need more than the conversion.
TEST(BatchModeTest, MemoryRunningShortNeverAborts) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than a limit leaves";
#endif
  TempDir dir;
  WriteTestConfiguration(dir);
  // Three columns, 100 item rows, and a material text of 5 MB.
  std::string drawing =
      "(1 99990 0),MARK\r\n(11 99990 0),QTY\r\n(21 99990 0),DESCRIPTION\r\n";
  for (int r = 0; r < 100; ++r) {
    const std::string y = std::to_string(99980 - 10 * r);
    drawing += "(1 " + y + " 0),M" + std::to_string(r) + "\r\n(11 " + y +
               " 0),2\r\n(21 " + y + " 0),W8X31\r\n";
  }
  std::string material = "PL1/2X6";
  while (material.size() < 5000000) material += "X1/2 W12X26 3/4 ";
  dir.Write("big.orb", drawing + "(1 98980 0),L\r\n(11 98980 0),1\r\n" +
                           "(21 98980 0)," + material + "\r\n");
  struct Outcome {
    int status;
    std::string out, err;
  };
  // Runs the program with `args` and at most `kb` KiB of address space.
  auto limited = [&](long kb, const std::string& args) {
    const std::string command = "cd '" + dir.Root().string() + "' && ulimit -v " +
                                std::to_string(kb) + " && '" KELCONV_EXE "' " +
                                args + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    return Outcome{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1,
                   TempDir::Read(dir.Path("stdout.txt")),
                   TempDir::Read(dir.Path("stderr.txt"))};
  };
  long low = 1024, high = 1 << 21;  // KiB
  while (high - low > 256) {
    const long middle = (low + high) / 2;
    (limited(middle, "--version").status == 0 ? high : low) = middle;
  }
  bool reportFailed = false;
  for (long kb = high;; kb += 2048) {
    SCOPED_TRACE(kb);
    const Outcome o = limited(kb, "--report=json /O big.orb out.kel my.cfg");
    ASSERT_TRUE(o.status == 0 || o.status == 1) << o.status << " " << o.err;
    if (o.status == 0) {
      EXPECT_EQ(o.out.substr(o.out.size() - 2), "}\n");
      break;
    }
    EXPECT_NE(o.err, "");
    // (after the report's warnings: this drawing has no LENGTH header)
    reportFailed = reportFailed ||
                   o.err.ends_with("kelconv: cannot write the conversion "
                                   "report to standard output: Cannot "
                                   "allocate memory\n");
    ASSERT_LT(kb, high + 262144) << "the conversion never succeeded";
  }
  EXPECT_TRUE(reportFailed);
}

}  // namespace
