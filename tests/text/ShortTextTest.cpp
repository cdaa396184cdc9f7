// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ShortText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// Texts on both sides of the 15 bytes kept inside, NUL bytes included:
// every one reads back whole after a copy, a move and an assignment over a
// text of the other kind.
TEST(ShortTextTest, EveryLengthReadsBackWhole) {
  const std::string cases[] = {"",
                               "A",
                               std::string("A\0B", 3),
                               "FIFTEEN BYTES!!",
                               "SIXTEEN BYTES!!!",
                               std::string("W12X26\0", 7) + std::string(300, 'x'),
                               std::string(15, '\0')};
  for (const std::string& text : cases) {
    const CShortText original(text);
    EXPECT_EQ(original.view(), text);
    EXPECT_EQ(original.size(), text.size());
    EXPECT_EQ(original.c_str()[text.size()], '\0') << text.size();
    CShortText copy = original;
    CShortText moved = std::move(copy);
    EXPECT_EQ(moved, text);
    EXPECT_TRUE(copy.empty());  // NOLINT: a moved-from text is empty
    for (const std::string& other : cases) {
      CShortText assigned(other);
      assigned = moved;
      EXPECT_EQ(assigned, text) << other.size() << " <- " << text.size();
      assigned = CShortText(other);
      EXPECT_EQ(assigned, other);
    }
  }
}

}  // namespace
