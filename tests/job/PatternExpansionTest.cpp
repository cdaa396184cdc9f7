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
    std::vector<std::string> expected;
    for (const std::string& name : c.names) expected.push_back(root + name);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ExpandPattern(root + c.pattern), expected);  // in name order
  }
}

// The input texts of a run: files as they are, patterns expanded (relative
// ones in the current directory), lists split, each in its place.
TEST(PatternExpansionTest, InputsOfARun) {
  TempDir dir;
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Root());
  for (const char* name : {"d10.orb", "d2.orb", "d1.orb", "a;b*.orb"}) {
    dir.Write(name, "");
  }
  using Groups = std::vector<std::vector<std::string>>;
  // clang-format off
  const struct Case {
    std::vector<std::string> texts;
    Groups groups;
    std::string unmatched;
  } cases[] = {
      {{"d*.orb"}, {{"d1.orb", "d10.orb", "d2.orb"}}, ""},
      {{"d2.orb", "-", "x.orb", "d1?.orb"}, {{"d2.orb"}, {"-"}, {"x.orb"}, {"d10.orb"}}, ""},
      {{"\"d2.orb\";d?.orb;;"}, {{"d2.orb"}, {"d1.orb", "d2.orb"}}, ""},
      {{"a;b*.orb"}, {{"a;b*.orb"}}, ""},  // an existing file is itself
      {{"d1.orb", "n*.orb;m?.orb"}, {{"d1.orb"}}, "n*.orb"},
      {{"", ";"}, {}, ""}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.texts));
    const CInputFiles files = ExpandInputs(c.texts);
    EXPECT_EQ(files.groups, c.groups);
    EXPECT_EQ(files.unmatched, c.unmatched);
  }
  EXPECT_EQ(FirstInputFile("n*.orb;d?.orb"), "d1.orb");
  EXPECT_EQ(FirstInputFile("n*.orb"), "");
  std::filesystem::current_path(previous);
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
