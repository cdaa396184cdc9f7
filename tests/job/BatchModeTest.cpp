// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a user runs it from a script: exit status, stderr lines and
// the files it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "MinimalPdf.h"

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
              const std::string& env = "", std::string out = "") {
    if (out.empty()) out = m_dir.Path("stdout.txt");
    const std::string err = m_dir.Path("stderr.txt");
    const std::string command = "cd '" + m_dir.Root().string() + "' && " + env +
                                " '" + exe + "' " + args + " >'" + out +
                                "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    // A device (/dev/full) is not read back: it never ends.
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1,
            out.rfind("/dev/", 0) == 0 ? "" : TempDir::Read(out),
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
  m_dir.Write("other.orb", "(1 9 0),ITEM\n(1 8 0),1\n");
  auto unable = [&](const std::string& output) {
    return "Unable to process \"" + m_input + "\": cannot write \"" + output +
           "\": No such file or directory\n";
  };
  const std::string toMissingDir = m_input + " missing/out.kel " + m_config;
  const struct {
    std::string args, err;
    bool existing = false;
  } cases[] = {
      {Files(), "File Exists.  Specify /O (overwite) or /A (append)\n", true},
      {"-A " + Files(), unable(m_output)},
      {"'none*.orb' out.kel my.cfg", "No input files matched the wildcard.\n"},
      {"missing.orb out.kel my.cfg",
       "Unable to open \"missing.orb\": No such file or directory\n"},
      {m_input + " out.kel missing.cfg",
       "Please specify a valid config file. \"missing.cfg\": No such file or "
       "directory\n"},
      {"other.orb out.kel my.cfg",
       "Configuration Does Not Apply to Input File \"other.orb\" (must "
       "match at least mark, quantity and material columns)\n"},
      {toMissingDir, unable("missing/out.kel")},
      {"/E " + toMissingDir, unable("missing/out.kel")},
      {"/A " + toMissingDir, unable("missing/out.kel")},
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

// No file names open the main dialog, which would wait for a user here; the
// dialog's own tests drive it headless. One or two names never open it.
TEST_F(BatchModeTest, HelpVersionAndUsage) {
  // "-in.orb" without "--" is an option, which leaves two names.
  for (const char* args :
       {"in.orb", "in.orb out.kel", "/O -- in.orb my.cfg", "-in.orb out.kel my.cfg"}) {
    SCOPED_TRACE(args);
    const Outcome usage = Run(args, KELCONV_EXE, "QT_QPA_PLATFORM=none");
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.out, "");
    EXPECT_EQ(usage.err.rfind("Usage: kelconv", 0), 0u) << usage.err;
  }

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

// Several inputs, patterns and lists go into one output, pattern matches in
// name order, as the dialog's Convert and Export do.
TEST_F(BatchModeTest, ConvertsSeveralInputsIntoOneOutput) {
  std::filesystem::create_directory(m_dir.Path("jobs"));
  std::map<std::string, std::string> kel, txt;  // each drawing on its own
  for (const char* name : {"2", "10", "1"}) {
    std::string drawing = kDrawing;
    drawing.replace(drawing.find("B1"), 2, std::string("M") + name);
    const std::string path = "jobs/" + std::string(name) + ".orb";
    m_dir.Write(path, drawing);
    ASSERT_EQ(Run("/O " + path + " one.kel my.cfg").status, 0);
    ASSERT_EQ(Run("/E /O " + path + " one.txt my.cfg").status, 0);
    kel[name] = TempDir::Read(m_dir.Path("one.kel"));
    txt[name] = TempDir::Read(m_dir.Path("one.txt"));
  }
  m_dir.Write("-x.orb", kDrawing);
  ASSERT_EQ(Run("/O " + Files()).status, 0);
  const std::string plain = TempDir::Read(m_output);
  m_dir.Write("other.orb", "(1 9 0),ITEM\n(1 8 0),1\n");
  const std::string missing =
      "Unable to open \"missing.orb\": No such file or directory\n";
  const std::string doesNotApply =
      "Configuration Does Not Apply to Input File \"other.orb\" (must match "
      "at least mark, quantity and material columns)\n";
  const struct {
    std::string args, output, err;
    int status;
  } kRuns[] = {
      {"/O 'jobs/*.orb' out.kel my.cfg", kel["1"] + kel["10"] + kel["2"],
       "3 of 3 files converted.\n", 0},
      {"/O jobs/2.orb 'jobs/1?.orb' out.kel my.cfg", kel["2"] + kel["10"],
       "2 of 2 files converted.\n", 0},
      {"/E /O '\"jobs/2.orb\";jobs/1.orb' out.kel my.cfg", txt["2"] + txt["1"],
       "2 of 2 files exported.\n", 0},
      {"/O -- -x.orb out.kel my.cfg", plain, "", 0},
      // A file that cannot be read ends a conversion, and of an export only
      // its own pattern.
      {"/O jobs/1.orb missing.orb jobs/2.orb out.kel my.cfg", kel["1"],
       missing + "1 of 3 files converted; 1 failed; 1 not converted after a "
                 "failure.\n", 1},
      {"/E /O jobs/1.orb missing.orb jobs/2.orb out.kel my.cfg",
       txt["1"] + txt["2"], missing + "2 of 3 files exported; 1 failed.\n", 1},
      {"/O other.orb jobs/2.orb out.kel my.cfg", kel["2"],
       doesNotApply + "1 of 2 files converted; 1 skipped: the configuration "
                      "does not apply.\n", 1},
      {"/O 'jobs/*.orb' 'none*.orb' out.kel my.cfg", "",
       "No input files matched the wildcard.\n", 1},
  };
  for (const auto& run : kRuns) {
    SCOPED_TRACE(run.args);
    std::filesystem::remove(m_output);
    const Outcome o = Run(run.args);
    EXPECT_EQ(o.status, run.status);
    EXPECT_EQ(o.err, run.err);
    EXPECT_EQ(TempDir::Read(m_output), run.output);
  }
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

// Batch mode, the help and the configuration commands never map a GUI
// library: the program names none, and the dynamic loader loads none.
TEST_F(BatchModeTest, RunsWithoutTheDesktopLibraries) {
  const Outcome needed = Run("-d '" + std::string(KELCONV_EXE) + "'", "readelf");
  ASSERT_EQ(needed.status, 0);
  EXPECT_NE(needed.out.find("(NEEDED)"), std::string::npos);
  EXPECT_EQ(needed.out.find("libQt"), std::string::npos) << needed.out;

  const std::string sample = std::string(KELCONV_EXAMPLES) + "/sample.";
  for (const std::string& args :
       {std::string("--help"), std::string("--version"), "--dump-config " + sample + "cfg",
        "--check-config " + sample + "cfg " + sample + "orb",
        "/O " + sample + "orb out.kel " + sample + "cfg",
        "/E /O --report=json " + sample + "dxf out.kel " + sample + "cfg"}) {
    SCOPED_TRACE(args);
    const Outcome o = Run(args, KELCONV_EXE, "LD_DEBUG=libs");
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.err.find("calling init"), std::string::npos);
    EXPECT_EQ(o.err.find("libQt"), std::string::npos);
  }
}

// The main dialog comes from the desktop module beside the program: it makes
// the QApplication (which fails here on a platform that does not exist).
// The program copied alone says in one line that the part is missing.
TEST_F(BatchModeTest, OpensTheDialogFromTheDesktopModule) {
  const Outcome dialog = Run("", KELCONV_EXE, "QT_QPA_PLATFORM=kelconv-none");
  EXPECT_NE(dialog.status, 0);
  EXPECT_NE(dialog.err.find("no Qt platform plugin could be initialized"),
            std::string::npos)
      << dialog.err;
  // Without a display Qt is not asked at all.
  const Outcome headless =
      Run("", KELCONV_EXE, "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY");
  EXPECT_EQ(headless.status, 3);
  EXPECT_EQ(headless.err,
            "kelconv: there is no display (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set), so the main dialog cannot open; "
            "conversions run without it: kelconv --help\n");

  const std::string exe = m_dir.Path("alone");
  std::filesystem::copy_file(KELCONV_EXE, exe);
  const Outcome alone = Run("", exe);
  EXPECT_EQ(alone.status, 3);
  EXPECT_EQ(alone.err,
            "kelconv: the desktop part is missing, so the main dialog cannot "
            "open: \"" + m_dir.Root().string() +
                "/../lib/kelconv/modules/kelconv-desktop.so\" (not found); "
                "conversions run without it: kelconv --help\n");
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

// Every DXF and PDF drawing of a golden table (tests/data/drawings/README.md)
// and the examples beside sample.orb convert to the bytes of the .orb's
// conversion: "<table>-<variant>.<kind>" is compared with
// golden/<table>.kel, converted with <table>.cfg.
TEST_F(BatchModeTest, EveryDrawingConvertsLikeItsOrb) {
  const std::string golden = std::string(KELCONV_TEST_DATA) + "/golden/";
  const std::string examples = std::string(KELCONV_EXAMPLES) + "/";
  std::vector<std::string> drawings = {examples + "sample.dxf", examples + "sample.pdf"};
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(KELCONV_TEST_DATA) + "/drawings")) {
    const std::string stem = entry.path().stem().string();
    const std::string ext = entry.path().extension().string();
    if ((ext == ".dxf" || ext == ".pdf") &&
        std::filesystem::exists(golden + stem.substr(0, stem.find('-')) + ".kel")) {
      drawings.push_back(entry.path().string());
    }
  }
  ASSERT_GE(drawings.size(), 6u);
  for (const std::string& drawing : drawings) {
    SCOPED_TRACE(drawing);
    const std::string stem = std::filesystem::path(drawing).stem().string();
    const std::string table = stem.substr(0, stem.find('-'));
    const std::string config =
        table == "sample" ? examples + "sample.cfg" : golden + table + ".cfg";
    const Outcome o = Run("/O " + drawing + " out.kel " + config);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(TempDir::Read(m_output), TempDir::Read(golden + table + ".kel"));
  }
}

// Inputs are read once: from a pipe, /dev/stdin or a FIFO a table drawn
// bottom to top converts on the second, inverted reading of the same bytes.
TEST_F(BatchModeTest, ConvertsFromPipesAndFifos) {
  const std::string golden = std::string(KELCONV_TEST_DATA) + "/golden/";
  const std::string drawings = std::string(KELCONV_TEST_DATA) + "/drawings/";
  const std::string examples = std::string(KELCONV_EXAMPLES) + "/";
  const std::string bottomUp = " out.kel " + golden + "bottomup.cfg";
  const std::string sample = " out.kel " + examples + "sample.cfg";
  ASSERT_EQ(std::system(("mkfifo '" + m_dir.Path("fifo") + "'").c_str()), 0);
  const struct {
    std::string command;  // run in the test's folder, before the program
    std::string args;
    std::string expected;
  } cases[] = {
      {"cat " + golden + "bottomup.orb |", "/O -" + bottomUp, "bottomup.kel"},
      {"cat " + drawings + "bottomup-text.dxf |", "/O /dev/stdin" + bottomUp, "bottomup.kel"},
      {"(cat " + golden + "bottomup.orb > fifo &) &&", "/O fifo" + bottomUp, "bottomup.kel"},
      {"cat " + examples + "sample.pdf |", "/O -" + sample, "sample.kel"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const Outcome o = Run(c.args, KELCONV_EXE, c.command);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_EQ(TempDir::Read(m_output), TempDir::Read(golden + c.expected));
  }
}

// The pages of a PDF are converted as the files of a pattern: the first as
// the options say, the rest appended.
TEST_F(BatchModeTest, ConvertsEveryPageOfAPdf) {
  const std::string golden = std::string(KELCONV_TEST_DATA) + "/golden/";
  const std::string config = " out.kel " + golden + "export.cfg";
  ASSERT_EQ(Run("/E /O " + golden + "exportA.orb" + config).status, 0);
  ASSERT_EQ(Run("/E /A " + golden + "exportB.orb" + config).status, 0);
  const std::string both = TempDir::Read(m_output);
  const Outcome o = Run("/E /O --report=json " + std::string(KELCONV_TEST_DATA) +
                        "/drawings/export-pages.pdf" + config);
  EXPECT_EQ(o.status, 0);
  EXPECT_EQ(TempDir::Read(m_output), both);
  // One report a page, as one JSON array.
  EXPECT_EQ(o.out.rfind("[\n{", 0), 0u);
  EXPECT_NE(o.out.find("\"page\": 2,\n  \"pages\": 2"), std::string::npos);
}

// Drawings that cannot be read say why and write nothing; a page without
// text stops the run after the pages before it were written.
TEST_F(BatchModeTest, RefusesDrawingsItCannotRead) {
  m_dir.Write("model.dwg", "AC1032\x01\x02");
  m_dir.Write("binary.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0", 22));
  m_dir.Write("cut.dxf", "0\nSECTION\n2\nENTITIES\n0\nTEXT\n");
  m_dir.Write("lines.pdf", MinimalPdf({{{72, 700, 10, "MARK"}}, {}}));
  m_dir.Write("locked.pdf", TempDir::Read(std::string(KELCONV_TEST_DATA) +
                                          "/hostile/encrypted.pdf"));
  const std::string binary = " is a binary DXF/DWG file; save it as ASCII DXF\n";
  const struct {
    std::string input, err;
  } cases[] = {
      {"model.dwg", "\"model.dwg\"" + binary},
      {"binary.dxf", "\"binary.dxf\"" + binary},
      {"cut.dxf", "Unable to read the DXF file \"cut.dxf\" (it ends before its EOF)\n"},
      {"lines.pdf",
       "Configuration Does Not Apply to Input File \"lines.pdf\" (must match at least mark, "
       "quantity and material columns)\n\"lines.pdf\" page 2: no text found: its letters may be "
       "drawn as lines\n0 of 2 drawings converted; 1 skipped: the configuration does not apply; "
       "1 failed.\n"},
      {"locked.pdf", "\"locked.pdf\" is encrypted; save it without a password\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const Outcome o = Run("/O " + c.input + " out.kel " + m_config);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, c.err);
    EXPECT_FALSE(std::filesystem::exists(m_output));
  }
  // The program copied alone has no PDF module: it says which file it
  // looked for, and still converts the other kinds.
  const std::string exe = m_dir.Path("alone");
  std::filesystem::copy_file(KELCONV_EXE, exe);
  const std::string examples = std::string(KELCONV_EXAMPLES) + "/sample.";
  const Outcome pdf = Run(examples + "pdf out.kel " + examples + "cfg", exe);
  EXPECT_EQ(pdf.status, 1);
  EXPECT_EQ(pdf.err.rfind("Unable to load the PDF reader \"" + m_dir.Root().string() +
                              "/../lib/kelconv/modules/kelconv-pdf.so\" (not found)",
                          0),
            0u)
      << pdf.err;
  EXPECT_EQ(Run(examples + "dxf out.kel " + examples + "cfg", exe).status, 0);
}

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

// Whatever is written to stdout is checked: a full device gives a message
// and 1 (the conversion's output stays written).
TEST_F(BatchModeTest, StdoutThatCannotBeWrittenIsAFailure) {
  const struct {
    std::string args, what;
    bool converts;
  } cases[] = {
      {"--report /O " + Files(), "the conversion report", true},
      {"--report=json /O " + Files(), "the conversion report", true},
      {"--check-config " + m_config + " " + m_input, "the configuration check", false},
      {"--help", "the usage", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    std::filesystem::remove(m_output);
    const Outcome o = Run(c.args, KELCONV_EXE, "", "/dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "kelconv: cannot write " + c.what +
                         " to standard output: No space left on device\n");
    EXPECT_EQ(std::filesystem::exists(m_output), c.converts);
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
