// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/OutputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <set>

#include "FailingCalls.h"
#include "TempDir.h"

namespace {

namespace fs = std::filesystem;

const std::string kOld = "old line 1\r\nold line 2\r\n";

// Three blocks of new lines, each block written with one call.
std::string NewBlock(char c) { return std::string(70000, c) + "\r\n"; }
const std::string kNew = NewBlock('a') + NewBlock('b') + NewBlock('c');

int WriteAll(COutputFile& file) {
  for (const char c : {'a', 'b', 'c'}) {
    const std::string block = NewBlock(c);
    if (file.Write(block.data(), block.size()) != 0) return -1;
  }
  return file.Commit();
}

std::set<std::string> Names(const TempDir& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.Root())) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// A disk that fills in the middle of a record, or an fsync that fails: the
// file keeps its old bytes and no temporary file is left beside it. (A full
// disk at the first byte, and the successful writes, are the job's tests and
// the program runs.)
TEST(OutputFileTest, FailureLeavesTheFileAsItWas) {
  const struct {
    OutputMode mode;
    size_t room;
    int syncError;
    int error;
  } cases[] = {
      {OutputMode::kReplace, 70001, 0, ENOSPC},
      {OutputMode::kReplace, SIZE_MAX, EIO, EIO},
      {OutputMode::kAppend, SIZE_MAX, EIO, EIO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " room "
                                    << c.room << " sync " << c.syncError);
    TempDir dir;
    const std::string path = dir.Write("out.kel", kOld);
    CFailingCalls calls(c.room, c.syncError);
    {
      COutputFile file(&calls);
      ASSERT_EQ(file.Open(path, c.mode), 0);
      EXPECT_EQ(WriteAll(file), -1);
      EXPECT_EQ(file.Error(), c.error);
    }
    EXPECT_EQ(TempDir::Read(path), kOld);
    EXPECT_EQ(Names(dir), std::set<std::string>{"out.kel"});
  }
}

// A link that points nowhere yet, or is appended through, keeps pointing at
// the file it named, whose permission bits stay; a new file gets those the
// umask leaves; devices are written in place; what cannot be written says
// why and changes nothing. (The program runs replace a file and a link.)
TEST(OutputFileTest, LinksPermissionsAndOtherFiles) {
  const mode_t oldMask = umask(022);
  struct Case {
    const char* name;
    OutputMode mode;
    const char* open;    // the path given, in the folder
    const char* target;  // the file that must hold the result
    mode_t created;      // its mode bits before (0: no such file)
    const char* link;    // a symbolic link "out.kel" to this, or ""
    int error;
  };
  const Case cases[] = {
      {"new file", OutputMode::kReplace, "out.kel", "out.kel", 0, "", 0},
      {"dangling link", OutputMode::kReplace, "out.kel", "real/t.kel", 0, "real/t.kel", 0},
      {"append by a link", OutputMode::kAppend, "out.kel", "real/t.kel", 0640, "real/t.kel", 0},
      {"a folder", OutputMode::kReplace, "real", "real/t.kel", 0600, "", EISDIR},
      {"link loop", OutputMode::kReplace, "out.kel", "real/t.kel", 0600, "out.kel", ELOOP},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    fs::create_directory(dir.Path("real"));
    if (c.created != 0) {
      dir.Write(c.target, kOld);
      fs::permissions(dir.Path(c.target), static_cast<fs::perms>(c.created));
    }
    if (*c.link != '\0') fs::create_symlink(c.link, dir.Path("out.kel"));
    COutputFile file;
    const int opened = file.Open(dir.Path(c.open), c.mode);
    const int result = opened == 0 ? WriteAll(file) : opened;
    EXPECT_EQ(result, c.error == 0 ? 0 : -1);
    EXPECT_EQ(file.Error(), c.error);
    const std::string before = c.created != 0 ? kOld : "";
    const std::string after = c.mode == OutputMode::kAppend ? before + kNew : kNew;
    EXPECT_EQ(TempDir::Read(dir.Path(c.target)), c.error == 0 ? after : before);
    struct stat st;
    if (c.error == 0 && stat(dir.Path(c.target).c_str(), &st) == 0) {
      EXPECT_EQ(st.st_mode & 07777, c.created != 0 ? c.created : 0644u);
    }
    if (*c.link != '\0') {
      EXPECT_TRUE(fs::is_symlink(dir.Path("out.kel")));
    }
  }
  umask(oldMask);

  for (const OutputMode mode : {OutputMode::kReplace, OutputMode::kAppend}) {
    COutputFile file;
    ASSERT_EQ(file.Open("/dev/null", mode), 0);
    EXPECT_EQ(WriteAll(file), 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
  }
}

// A write ended by a signal, in a child process. A caught termination
// signal takes the output back; a SIGKILL leaves a replaced file as it
// was and an append with the blocks written before it.
TEST(OutputFileTest, SignalsInTheMiddleOfAWrite) {
  struct Case {
    OutputMode mode;
    int signal;
    std::string expected;
  };
  const Case cases[] = {
      {OutputMode::kReplace, SIGTERM, kOld},
      {OutputMode::kReplace, SIGKILL, kOld},
      {OutputMode::kAppend, SIGINT, kOld},
      {OutputMode::kAppend, SIGHUP, kOld},
      {OutputMode::kAppend, SIGKILL, kOld + NewBlock('a')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.mode) << " signal "
                                    << c.signal);
    TempDir dir;
    const std::string path = dir.Write("out.kel", kOld);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      CatchTerminationSignals();
      CFailingCalls calls(NewBlock('a').size(), 0, c.signal);
      COutputFile file(&calls);
      if (file.Open(path, c.mode) == 0) WriteAll(file);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal);
    EXPECT_EQ(TempDir::Read(path), c.expected);
    EXPECT_EQ(Names(dir), std::set<std::string>{"out.kel"});
  }
}

}  // namespace
