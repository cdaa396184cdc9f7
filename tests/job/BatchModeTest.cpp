// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user runs it from a script: exit status, stderr lines and
// the files it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "TempDir.h"
#include "TestConfiguration.h"
#include "config/Configuration.h"

namespace {

const char* kDrawing =
    "(1 100 0),BILL OF MATERIAL\r\n"
    "(1 90 0),MARK\r\n(11 90 0),QTY\r\n(21 90 0),DESCRIPTION\r\n"
    "(41 90 0),LENGTH\r\n"
    "(1 80 0),B1\r\n(11 80 0),2\r\n(21 80 0),W8X31\r\n(41 80 0),12'-6\r\n"
    "(1 70.5 0),B2\r\n(11 70.5 0),1\r\n(21 70.5 0),W12X26\r\n"
    "(41 70.5 0),20'\r\n";

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

class BatchModeTest : public testing::Test {
 protected:
  void SetUp() override {
    m_config = WriteTestConfiguration(m_dir);
    m_input = m_dir.Write("in.orb", kDrawing);
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

  std::string Files() const {
    return m_input + " " + m_output + " " + m_config;
  }

  TempDir m_dir;
  std::string m_config, m_input, m_output;
};

TEST_F(BatchModeTest, ConvertsOverwritesAndAppends) {
  const Outcome first = Run(Files());
  ASSERT_EQ(first.status, 0);
  EXPECT_EQ(first.err, "");
  const std::string once = TempDir::Read(m_output);
  EXPECT_FALSE(once.empty());
  EXPECT_EQ(Run("/a " + Files()).status, 0);
  EXPECT_EQ(TempDir::Read(m_output), once + once);
  EXPECT_EQ(Run("/A /O " + Files()).status, 0);
  EXPECT_EQ(TempDir::Read(m_output), once);
}

// Every refusal exits with 1 and says why, and leaves the output as it was:
// an existing one untouched, none (nor its folder) created.
TEST_F(BatchModeTest, FailuresLeaveTheOutputAsItWas) {
  m_dir.Write("broken.cfg", std::string("\x9f\x86\x01\x00\x06", 5));
  m_dir.Write("other.orb", "(1 9 0),ITEM\n(1 8 0),1\n");
  const std::string badConfig = "Please specify a valid config file.\n";
  const std::string unable = "Unable to process \"" + m_input + "\"\n";
  const std::string toMissingDir = m_input + " missing/out.kel " + m_config;
  const struct {
    std::string args, err;
    bool existing = false;
  } cases[] = {
      {Files(), "File Exists.  Specify /O (overwite) or /A (append)\n", true},
      {"-A " + Files(), unable},
      {"'in*.orb' out.kel my.cfg", "Unable to open \"in*.orb\"\n"},
      {m_input + " out.kel broken.cfg", badConfig},
      {m_input + " out.kel missing.cfg", badConfig},
      {"other.orb out.kel my.cfg",
       "Configuration Does Not Apply to Input File \"other.orb\" (must "
       "match at least mark, quantity and material columns)\n"},
      {toMissingDir, unable},
      {"/E " + toMissingDir, unable},
      {"/A " + toMissingDir, unable},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    std::filesystem::remove(m_output);
    if (c.existing) m_dir.Write("out.kel", "precious\r\n");
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, c.err);
    EXPECT_EQ(TempDir::Read(m_output), c.existing ? "precious\r\n" : "");
    EXPECT_EQ(std::filesystem::exists(m_output), c.existing);
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path("missing")));
  }
}

// Fewer or more than three file names open the main dialog, which would wait
// for a user here; the dialog's own tests drive it headless.
TEST_F(BatchModeTest, HelpAndVersion) {
  const Outcome help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: kelconv"), std::string::npos);

  const Outcome version = Run("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out,
            "Kelconv 3.0\n"
            "Copyright (C) 2026 The Kelconv developers\n"
            "License GPLv3+: GNU GPL version 3 or later "
            "<https://gnu.org/licenses/gpl.html>\n"
            "This is free software: you are free to change and redistribute "
            "it.\n"
            "There is NO WARRANTY, to the extent permitted by law.\n");
}

TEST_F(BatchModeTest, ReadsDiscardListBesideACopiedProgram) {
  // The program copied alone into another folder still runs, and reads the
  // discard list that stands beside it: "REF" cut out of "MARKref" lets
  // the header match.
  const std::string exe = m_dir.Path("kelconv");
  std::filesystem::copy_file(KELCONV_EXE, exe);
  std::string drawing = kDrawing;
  drawing.replace(drawing.find("MARK"), 4, "MARKref");
  m_dir.Write("in.orb", drawing);

  EXPECT_EQ(Run(Files(), exe).status, 1);
  m_dir.Write("DISCARD.TXT", "  REF \r\n\r\n");
  EXPECT_EQ(Run(Files(), exe).status, 0);
}

TEST_F(BatchModeTest, OutputDoesNotDependOnTheLocale) {
  ASSERT_EQ(Run(Files()).status, 0);
  const std::string plain = TempDir::Read(m_output);
  for (const char* locale : {"de_DE.UTF-8", "C.UTF-8", "fr_FR.UTF-8"}) {
    SCOPED_TRACE(locale);
    EXPECT_EQ(Run("/O " + Files(), KELCONV_EXE, std::string("LC_ALL=") + locale)
                  .status,
              0);
    EXPECT_EQ(TempDir::Read(m_output), plain);
  }
}

TEST_F(BatchModeTest, ConvertsTheBundledExampleAndABottomUpTable) {
  // The README's command, the same file exported (and appended), and a table
  // drawn from the bottom upwards, found on the second, inverted reading.
  const std::string golden = std::string(KELCONV_TEST_DATA) + "/golden/";
  const std::string sample = std::string(KELCONV_EXAMPLES) +
                             "/sample.orb out.kel " + KELCONV_EXAMPLES +
                             "/sample.cfg";
  const std::string exported = TempDir::Read(golden + "sample.txt");
  const struct {
    std::string args;
    std::string expected;
  } kRuns[] = {
      {"/O " + sample, TempDir::Read(golden + "sample.kel")},
      {"/E /O " + sample, exported},
      {"-e /a " + sample, exported + exported},
      {"/O " + golden + "bottomup.orb out.kel " + golden + "bottomup.cfg",
       TempDir::Read(golden + "bottomup.kel")},
  };
  for (const auto& run : kRuns) {
    SCOPED_TRACE(run.args);
    const Outcome o = Run(run.args);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(TempDir::Read(m_output), run.expected);
  }
}

}  // namespace
