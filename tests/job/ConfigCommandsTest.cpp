// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration commands as a user runs them: exit status, stdout,
// stderr and the files they leave.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "TempDir.h"
#include "config/Archive.h"
#include "config/Configuration.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

const char* kDrawing =
    "(1 100 0),BILL OF MATERIAL\n"
    "(1 90 0),Mark\n(11 90 0),qty\n(21 90 0),DESCRIPTION\n"
    "(1 80 0),B1\n(11 80 0),2\n(21 80 0),W8X31\n"
    "(1 70 0),B2\n(11 70 0),1\n(21 70 0),W12X26\n";

class ConfigCommandsTest : public testing::Test {
 protected:
  void SetUp() override {
    // A configuration as the editor writes it.
    CConfiguration config;
    config.ResetToDefaults();
    config.m_searchFor.assign(kSearchReplaceCount, "");
    config.m_replaceWith.assign(kSearchReplaceCount, "");
    config.m_columns = {{"MARK", "Piece Mark", false, kColPieceMark},
                        {"QTY", "Quantity", false, kColQuantity},
                        {"DESCRIPTION", "Material", true, kColMaterial},
                        {"LENGTH", "Length(Ft + In)", true, kColLengthFtIn}};
    config.m_materialCodes[13] = "HSS\xD8";
    config.m_searchFor[0] = "\"DIA\"";
    CArchive archive;
    config.Store(archive);
    m_editorFile = archive.Buffer();
    m_config = m_dir.Write("my.cfg", m_editorFile);
    m_dir.Write("in.orb", kDrawing);
  }

  Outcome Run(const std::string& args) {
    const std::string out = m_dir.Path("stdout.txt");
    const std::string err = m_dir.Path("stderr.txt");
    const std::string command = "cd '" + m_dir.Root().string() + "' && '" +
                                KELCONV_EXE + "' " + args + " >'" + out +
                                "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, TempDir::Read(out),
            TempDir::Read(err)};
  }

  // The names in the directory, besides the captured streams.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(m_dir.Root())) {
      const std::string name = entry.path().filename().string();
      if (name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir m_dir;
  std::string m_editorFile, m_config;
};

TEST_F(ConfigCommandsTest, MessagesExitStatusAndFilesLeft) {
  m_dir.Write("bad.toml",
              "[indicators]\nleft = \"L\"\ncolour = 1\ncolumns = []\n");
  m_dir.Write("long.toml",
              "[materials]\ndefault_grade = \"ABCDEFGHIJKLMNOP\"\n");
  m_dir.Write("short.cfg", m_editorFile.substr(0, 40));
  const Outcome dump = Run("--dump-config my.cfg");
  EXPECT_EQ(dump.status, 0);
  EXPECT_EQ(dump.err, "");
  m_dir.Write("my.toml", dump.out);
  m_dir.Write("copy.cfg", "precious");
  const struct {
    const char* args;
    int status;
    const char* err;
  } cases[] = {
      {"--make-config bad.toml x.cfg", 1,
       "bad.toml:3: unknown key \"colour\" in [indicators]\n"
       "bad.toml:4: unknown key \"columns\" in [indicators]\n"},
      {"--make-config long.toml long.cfg", 0,
       "long.toml:2: warning: materials.default_grade has 16 characters; the "
       "editor takes at most 15\n"},
      {"--make-config my.toml copy.cfg", 1,
       "copy.cfg: the file exists; give /O to replace it\n"},
      {"--make-config /A my.toml copy.cfg", 1,
       "copy.cfg: the file exists; give /O to replace it\n"},
      {"--make-config none.toml x.cfg", 1,
       "none.toml: cannot read the file (No such file or directory)\n"},
      {"--make-config long.toml nodir/x.cfg", 1,
       "long.toml:2: warning: materials.default_grade has 16 characters; the "
       "editor takes at most 15\n"
       "nodir/x.cfg: cannot write the file (No such file or directory)\n"},
      {"--dump-config short.cfg", 1,
       "short.cfg: not a valid configuration file (it ends too early)\n"},
      {"--dump-config none.cfg", 1,
       "none.cfg: cannot read the configuration file (No such file or "
       "directory)\n"},
      {"--check-config my.cfg none.orb", 1,
       "none.orb: cannot read the file (No such file or directory)\n"},
      {"--make-config my.cfg", 1,
       "kelconv: --make-config needs two file names: TEXT.toml CONFIG.cfg\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome o = Run(c.args);
    EXPECT_EQ(o.status, c.status);
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, c.err);
  }
  m_dir.Write("bad.toml", "[indicators\n");
  const Outcome syntax = Run("--make-config bad.toml x.cfg");
  EXPECT_EQ(syntax.status, 1);
  EXPECT_EQ(syntax.err.rfind("bad.toml:1: ", 0), 0u) << syntax.err;
  EXPECT_EQ(TempDir::Read(m_dir.Path("copy.cfg")), "precious");
  // Given /O, the dumped text makes the editor's file again, byte for byte.
  const Outcome make = Run("--make-config -o my.toml copy.cfg");
  EXPECT_EQ(make.status, 0);
  EXPECT_EQ(make.err, "");
  EXPECT_EQ(TempDir::Read(m_dir.Path("copy.cfg")), m_editorFile);
  // Nothing else was written, and no temporary file was left behind.
  EXPECT_EQ(Names(), (std::vector<std::string>{
                         "bad.toml", "copy.cfg", "in.orb", "long.cfg",
                         "long.toml", "my.cfg", "my.toml", "short.cfg"}));
}

// Replacing a configuration keeps a symbolic link a link (its file gets the
// new bytes) and the file's permission bits.
TEST_F(ConfigCommandsTest, MakeConfigKeepsLinksAndPermissions) {
  namespace fs = std::filesystem;
  m_dir.Write("my.toml", Run("--dump-config my.cfg").out);
  for (const bool link : {false, true}) {
    SCOPED_TRACE(link);
    const std::string file = m_dir.Write("shop.cfg", "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    fs::remove(m_dir.Path("link.cfg"));
    if (link) fs::create_symlink("shop.cfg", m_dir.Path("link.cfg"));
    const Outcome o =
        Run(std::string("--make-config /O my.toml ") + (link ? "link.cfg" : "shop.cfg"));
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(TempDir::Read(file), m_editorFile);
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::is_symlink(m_dir.Path("link.cfg")), link);
  }
}

TEST_F(ConfigCommandsTest, CheckShowsMatchedHeadersInBothReadings) {
  const Outcome top = Run("--check-config my.cfg in.orb");
  EXPECT_EQ(top.status, 0);
  EXPECT_EQ(top.err, "");
  EXPECT_EQ(top.out,
            "Reading top to bottom:\n"
            "  header \"Mark\" matches column 1 \"MARK\" (Piece Mark)\n"
            "  header \"qty\" matches column 2 \"QTY\" (Quantity)\n"
            "  header \"DESCRIPTION\" matches column 3 \"DESCRIPTION\" "
            "(Material)\n"
            "  no header matches column 4 \"LENGTH\" (Length(Ft + In))\n"
            "  applies: 2 rows\n"
            "The configuration applies, reading top to bottom.\n");

  // The same table drawn upside down applies only on the second reading.
  m_dir.Write("flipped.orb",
              "(1 -100 0),BILL OF MATERIAL\n"
              "(1 -90 0),Mark\n(11 -90 0),qty\n(21 -90 0),DESCRIPTION\n"
              "(1 -80 0),B1\n(11 -80 0),2\n(21 -80 0),W8X31\n");
  const Outcome bottom = Run("--check-config my.cfg flipped.orb");
  EXPECT_EQ(bottom.status, 0);
  EXPECT_NE(bottom.out.find("Reading top to bottom:\n  no header matches "
                            "column 1"),
            std::string::npos)
      << bottom.out;
  EXPECT_NE(bottom.out.find("The configuration applies, reading bottom to "
                            "top.\n"),
            std::string::npos);

  m_dir.Write("other.orb", "(1 9 0),QTY\n(1 8 0),1\n");
  const Outcome other = Run("--check-config my.cfg other.orb");
  EXPECT_EQ(other.status, 1);
  EXPECT_NE(other.out.find("  does not apply: no mark, material column "
                           "matched\n"),
            std::string::npos)
      << other.out;
  EXPECT_EQ(Names(), (std::vector<std::string>{"flipped.orb", "in.orb",
                                               "my.cfg", "other.orb"}));
}

}  // namespace
