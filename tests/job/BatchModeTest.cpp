// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user runs it from a script, where a case needs more than
// a folder of tests/data/runs: runs at the same time, memory running short.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "TestConfiguration.h"
#include "config/Configuration.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class BatchModeTest : public testing::Test {
 protected:
  void SetUp() override {
    m_config = WriteTestConfiguration(m_dir);
    m_output = m_dir.Path("out.kel");
  }

  Outcome Run(const std::string& args, const std::string& exe = KELCONV_EXE,
              const std::string& env = "") {
    const std::string out = m_dir.Path("stdout.txt");
    const std::string err = m_dir.Path("stderr.txt");
    const std::string command = "cd '" + m_dir.Root().string() + "' && " + env +
                                " '" + exe + "' " + args + " >'" + out +
                                "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::Read(out),
            TempDir::Read(err)};
  }

  TempDir m_dir;
  std::string m_config, m_output;
};

// A drawing of `rows` item rows whose marks begin with `prefix`.
std::string Drawing(const std::string& prefix, int rows) {
  std::string text =
      "(1 99990 0),MARK\r\n(11 99990 0),QTY\r\n(21 99990 0),DESCRIPTION\r\n";
  for (int r = 0; r < rows; ++r) {
    const std::string y = std::to_string(99980 - 10 * r);
    text += "(1 " + y + " 0)," + prefix + std::to_string(r) + "\r\n(11 " + y +
            " 0),2\r\n(21 " + y + " 0),W8X31\r\n";
  }
  return text;
}

// Ten overwrites, then twenty appends, of two drawings at once, each
// output several blocks long: every append lands whole and after the others,
// and the overwrites leave one complete output.
TEST_F(BatchModeTest, RunsAtTheSameTimeNeverMixTheirLines) {
  m_dir.Write("a.orb", Drawing("A", 3000));
  m_dir.Write("b.orb", Drawing("B", 1700));
  std::string outputs[2];
  for (int k = 0; k < 2; ++k) {
    const std::string name = k == 0 ? "a" : "b";
    ASSERT_EQ(Run("/O " + name + ".orb " + name + ".kel my.cfg").status, 0);
    outputs[k] = TempDir::Read(m_dir.Path(name + ".kel"));
    ASSERT_GT(outputs[k].size(), 100000u);
  }
  for (const char* option : {"/O", "/A"}) {
    SCOPED_TRACE(option);
    m_dir.Write("out.kel", "first\r\n");
    const bool append = option[1] == 'A';
    const int runs = append ? 20 : 10;
    std::string script;
    for (int i = 0; i < runs; ++i) {
      script += std::string("(") + KELCONV_EXE + " " + option + " " +
                (i % 2 == 0 ? "a" : "b") + ".orb out.kel my.cfg; echo $?) & ";
    }
    const std::string command = "cd '" + m_dir.Root().string() + "' && { " +
                                script + "wait; } >statuses.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string zeros;
    for (int i = 0; i < runs; ++i) zeros += "0\n";
    EXPECT_EQ(TempDir::Read(m_dir.Path("statuses.txt")), zeros);
    const std::string written = TempDir::Read(m_output);
    std::string_view rest = written;
    if (!append) {
      EXPECT_TRUE(rest == outputs[0] || rest == outputs[1]);
      continue;
    }
    ASSERT_EQ(rest.substr(0, 7), "first\r\n");
    rest.remove_prefix(7);
    int counts[2] = {0, 0};
    while (!rest.empty()) {
      const int k = rest.substr(0, outputs[0].size()) == outputs[0]   ? 0
                    : rest.substr(0, outputs[1].size()) == outputs[1] ? 1
                                                                      : -1;
      ASSERT_GE(k, 0) << "torn at byte " << written.size() - rest.size();
      rest.remove_prefix(outputs[k].size());
      ++counts[k];
    }
    EXPECT_EQ(counts[0], 10);
    EXPECT_EQ(counts[1], 10);
  }
}

// Memory running short at any point of a reported conversion, the report
// included, gives a message and 1, never an abort. The limit starts where
// the program's libraries just load and grows until the run succeeds; a
// material text of 5 MB makes the report need more than the conversion.
TEST_F(BatchModeTest, MemoryRunningShortNeverAborts) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer needs more address space than a limit leaves";
#endif
  std::string material = "PL1/2X6";
  while (material.size() < 5000000) material += "X1/2 W12X26 3/4 ";
  m_dir.Write("big.orb", Drawing("M", 100) + "(1 98980 0),L\r\n(11 98980 0),1\r\n" +
                             "(21 98980 0)," + material + "\r\n");
  auto limited = [&](long kb, const std::string& args) {
    return Run(args, KELCONV_EXE, "ulimit -v " + std::to_string(kb) + " &&");
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
