// SPDX-License-Identifier: GPL-3.0-or-later
// The program run from a script, one case per folder of tests/data/runs
// (README.md there says how a case is laid out): exit status, stdout,
// stderr, and every file it leaves, written or untouched.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "TempDir.h"
#include "TestConfiguration.h"

namespace {

namespace fs = std::filesystem;
const fs::path kRuns = fs::path(KELCONV_TEST_DATA) / "runs";

// Every file and folder under `root` by its relative path; folders read "/".
std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    tree[fs::relative(entry.path(), root).string()] =
        entry.is_directory() ? "/" : TempDir::Read(entry.path().string());
  }
  return tree;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

class ProgramRunsTest : public testing::TestWithParam<std::string> {};

TEST_P(ProgramRunsTest, LeavesWhatItsFolderExpects) {
  const fs::path folder = kRuns / "cases" / GetParam();
  TempDir dir;
  WriteTestConfiguration(dir);
  const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
  fs::copy(kRuns / "common", dir.Root(), options);
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != "run" && name != "expect") fs::copy(entry, dir.Root() / name, options);
  }
  const std::map<std::string, std::string> before = Tree(dir.Root());
  const TempDir streams;
  const std::string command = "cd '" + dir.Root().string() + "' && KELCONV='" KELCONV_EXE
                              "' DATA='" KELCONV_TEST_DATA "' EXAMPLES='" KELCONV_EXAMPLES
                              "' sh '" + (folder / "run").string() + "' >'" +
                              streams.Path("out") + "' 2>'" + streams.Path("err") + "'";
  const int raw = std::system(command.c_str());
  // Paths in messages are written as the variables the script uses.
  const auto read = [&](const std::string& name) {
    const std::string text = TempDir::Read(streams.Path(name));
    return Replace(Replace(Replace(text, dir.Root().string(), "$TMP"), KELCONV_TEST_DATA, "$DATA"),
                   KELCONV_EXAMPLES, "$EXAMPLES");
  };
  const std::string out = read("out");
  const std::string err = read("err");
  const fs::path expect = folder / "expect";
  std::map<std::string, std::string> expected = before;
  if (fs::exists(expect)) {
    for (const auto& [name, bytes] : Tree(expect)) expected[name] = bytes;
  }
  const auto take = [&](const std::string& name, const std::string& otherwise) {
    const auto it = expected.find(name);
    if (it == expected.end()) return otherwise;
    const std::string bytes = it->second;
    expected.erase(it);
    return bytes;
  };
  EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::stoi(take("status", "0")));
  EXPECT_EQ(out, take("stdout", ""));
  EXPECT_EQ(err, take("stderr", ""));
  EXPECT_EQ(Tree(dir.Root()), expected);
}

std::vector<std::string> Cases() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kRuns / "cases")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Runs, ProgramRunsTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
