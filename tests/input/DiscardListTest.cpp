// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DiscardList.h"

#include <errno.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempDir.h"
#include "input/ProgramDirectory.h"

namespace {

TEST(DiscardList, LoadsTrimmedPhrasesInFileOrder) {
  struct Case {
    const char* bytes;  // null: no file
    std::vector<std::string> expected;
  } const cases[] = {{"  REF  \n\nN.T.S.\n", {"REF", "N.T.S."}},
                     {"REF\r\n \r\nDWG \r\nDWG", {"REF", "DWG", "DWG"}},
                     {"\tTYP.  OF 2\t\n", {"TYP.  OF 2"}},
                     {"", {}},
                     {nullptr, {}}};
  for (const Case& c : cases) {
    TempDir dir;
    if (c.bytes != nullptr) dir.Write("DISCARD.TXT", c.bytes);
    std::vector<std::string> list;
    LoadDiscardList(dir.Path("DISCARD.TXT"), list);
    EXPECT_EQ(list, c.expected) << (c.bytes ? c.bytes : "no file");
  }
}

TEST(DiscardList, LivesBesideTheProgram) {
  EXPECT_EQ(DiscardListPath("/opt/kel"), "/opt/kel/DISCARD.TXT");
  EXPECT_EQ(DiscardListPath("/"), "/DISCARD.TXT");
  EXPECT_EQ(DiscardListPath(""), "./DISCARD.TXT");

  const std::string dir = ProgramDirectory();
  struct stat info {};
  ASSERT_EQ(stat((dir + "/" + program_invocation_short_name).c_str(), &info), 0)
      << dir;
  EXPECT_TRUE(S_ISREG(info.st_mode));
}

}  // namespace
