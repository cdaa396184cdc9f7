// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/PatternExpansion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TempDir.h"

namespace {

TEST(PatternExpansionTest, MatchesNamesWithStarAndQuestionMarkOnly) {
  TempDir dir;
  for (const char* name : {"a.orb", "b.orb", "ab.orb", "A.ORB", ".hidden.orb",
                           "job[1].orb", "back\\slash.orb", "notes.txt"}) {
    dir.Write(name, "");
  }
  std::filesystem::create_directory(dir.Root() / "sub.orb");
  const std::string root = dir.Root().string() + "/";
  // clang-format off
  const struct Case {
    std::string pattern;
    std::vector<std::string> names;
  } cases[] = {
      {"*.orb", {".hidden.orb", "a.orb", "ab.orb", "b.orb", "back\\slash.orb", "job[1].orb",
                 "sub.orb"}},
      {"?.orb", {"a.orb", "b.orb"}}, {"a.orb", {"a.orb"}}, {"job[1].orb", {"job[1].orb"}},
      {"job?1?.orb", {"job[1].orb"}}, {"back\\slash.orb", {"back\\slash.orb"}},
      {"*.ORB", {"A.ORB"}},
      {"*", {".hidden.orb", "A.ORB", "a.orb", "ab.orb", "b.orb", "back\\slash.orb", "job[1].orb",
             "notes.txt", "sub.orb"}},
      {"", {}}, {"missing/*.orb", {}}, {"*.orb/", {}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    std::vector<std::string> matches = ExpandPattern(root + c.pattern);
    std::sort(matches.begin(), matches.end());
    std::vector<std::string> expected;
    for (const std::string& name : c.names) expected.push_back(root + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(matches, expected);
  }
}

TEST(PatternExpansionTest, RelativePatternsUseTheCurrentDirectory) {
  TempDir dir;
  dir.Write("here.orb", "");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Root());
  const std::vector<std::string> matches = ExpandPattern("h*.orb");
  std::filesystem::current_path(previous);
  EXPECT_EQ(matches, std::vector<std::string>{"here.orb"});
}

TEST(PatternExpansionTest, InputTextsAndPatterns) {
  EXPECT_EQ(JoinChosenFiles({"/a/x.orb"}), "/a/x.orb");
  EXPECT_EQ(JoinChosenFiles({"/a/x.orb", "/a/y z.orb"}),
            "\"/a/x.orb\";\"/a/y z.orb\"");
  // clang-format off
  const struct Case {
    std::string text;
    std::vector<std::string> patterns;
  } cases[] = {
      {"", {}}, {";;", {}}, {"\"/a/x.orb\";\"/a/y z.orb\"", {"/a/x.orb", "/a/y z.orb"}},
      {"a*.orb;;b?.orb;", {"a*.orb", "b?.orb"}}, {"\"\"\"", {"\""}}, {"\"", {""}}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(SplitExportPatterns(c.text), c.patterns) << c.text;
  }
}

}  // namespace
