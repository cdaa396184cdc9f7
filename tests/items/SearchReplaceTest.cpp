#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Configuration.h"

namespace {

std::string Repeat(const std::string& part, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += part;
  return out;
}

TEST(SearchReplaceTest, AppliesPairsInOrder) {
  struct Case {
    std::vector<std::string> search;
    std::vector<std::string> replace;
    std::string text;
    std::string expected;
  } const cases[] = {
      // Later pairs see the result of earlier ones.
      {{"PLATE", "PL"}, {"PL", "P"}, "PLATE 1/2", "P 1/2"},
      // Blank search texts are skipped, even when the text holds them.
      {{"", " ", "\t \t"}, {"X", "X", "X"}, "A \t B", "A \t B"},
      // Case-sensitive.
      {{"pl"}, {"PLATE"}, "PL pl", "PL PLATE"},
      // A replacement holding its search text is found again: 100 times.
      {{"PL"}, {"PLATE"}, "PL 1/2", "PL" + Repeat("ATE", 100) + " 1/2"},
      // A search text without a replacement deletes.
      {{"A", "B"}, {"x"}, "ABAB", "xx"},
      {{}, {}, "unchanged", "unchanged"},
  };
  for (const Case& c : cases) {
    CConfiguration config;
    config.m_searchFor = c.search;
    config.m_replaceWith = c.replace;
    std::string text = c.text;
    config.ApplySearchReplace(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

}  // namespace
