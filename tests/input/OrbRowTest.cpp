// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/OrbRow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "OrbRowPrinter.h"

namespace {

TEST(OrbRowTest, CellsSetInAnyOrderReadAsAFullRow) {
  // clang-format off
  struct Case {
    const char* name;
    size_t width;
    std::vector<std::pair<size_t, const char*>> sets;
    COrbRow expected;
  } const cases[] = {
      {"nothing set", 4, {}, {"", "", "", ""}},
      {"out of order", 4, {{3, "D"}, {0, "A"}, {2, "C"}}, {"A", "", "C", "D"}},
      {"the last text wins", 3, {{1, "X"}, {1, "Y"}, {0, "A"}, {1, "Z"}}, {"A", "Z", ""}},
      {"past the end widens", 2, {{4, "E"}}, {"", "", "", "", "E"}},
      {"an empty text reads as unset", 2, {{0, ""}, {1, "B"}}, {"", "B"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    COrbRow row(c.width);
    for (const auto& [column, text] : c.sets) row.Set(column, text);
    EXPECT_EQ(row, c.expected) << c.name;
    for (size_t j = 0; j < c.expected.size() + 2; ++j) {
      EXPECT_EQ(row[j], c.expected[j]) << c.name << ", cell " << j;
    }
    for (size_t k = 1; k < row.Cells().size(); ++k) {
      EXPECT_LT(row.Cells()[k - 1].m_nColumn, row.Cells()[k].m_nColumn)
          << c.name;
    }
  }
}

// Cells that refer to texts kept elsewhere: a cell set again gets a copy of
// its own, and a copy of the row owns every text.
TEST(OrbRowTest, SharedTextsAreCopiedBeforeTheyChange) {
  const CShortText quantity = "TWO";
  const CShortText mark = "B1";
  auto material = std::make_unique<CShortText>("W8X31 FROM THE HEAP");
  COrbRow row(3);
  row.Share(1, quantity);
  row.Share(0, quantity);
  row.Share(0, mark);  // replaces
  row.Share(2, *material);
  EXPECT_EQ(row, (COrbRow{"B1", "TWO", "W8X31 FROM THE HEAP"}));
  row.Set(1, "2");
  EXPECT_EQ(quantity, "TWO");
  const COrbRow copy = row;
  material.reset();
  EXPECT_EQ(copy, (COrbRow{"B1", "2", "W8X31 FROM THE HEAP"}));
  COrbRow moved = std::move(row);
  moved.Set(2, "PL");
  EXPECT_EQ(moved, (COrbRow{"B1", "2", "PL"}));
}

}  // namespace
