// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/Configuration.h"

namespace {

TEST(SearchReplaceTest, AppliesPairsInOrder) {
  // clang-format off
  struct Case { std::vector<std::string> search, replace; std::string text, expected; };
  const Case cases[] = {
      // Later pairs see the result of earlier ones.
      {{"PLATE", "PL"}, {"PL", "P"}, "PLATE 1/2", "P 1/2"},
      // Blank search texts are skipped, even when the text holds them.
      {{"", " ", "\t \t"}, {"X", "X", "X"}, "A \t B", "A \t B"},
      {{"pl"}, {"PLATE"}, "PL pl", "PL PLATE"},  // case-sensitive
      {{"A", "B"}, {"x"}, "ABAB", "xx"},         // no replacement: deleted
      {{}, {}, "unchanged", "unchanged"}};
  // clang-format on
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
