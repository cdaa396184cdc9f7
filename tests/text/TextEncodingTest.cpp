// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "text/TextEncoding.h"

TEST(TextEncoding, Utf8BecomesLatin1WithQuestionMarksForTheRest) {
  struct Case { std::string utf8; std::string latin1; } const cases[] = {
      {"W12X26", "W12X26"},
      {"\xC3\x98 3/4 \xC2\xB0\xC3\xBF", "\xD8 3/4 \xB0\xFF"},  // within Latin-1
      {"\xE2\x8C\x80" "3/4 \xE2\x82\xAC\xC4\x80", "?3/4 ??"},  // beyond it
      {"\xF0\x9F\x94\xA9!", "?!"},                   // four bytes
      // Malformed: each bad byte is one "?", the rest still reads.
      {"A\x80" "B", "A?B"}, {"\xC3", "?"}, {"\xC3" "A", "?A"}, {"\x84\x80\x80\x80", "????"},
      {"\xC0\xAF", "??"}, {"\xE0\x80\xAF", "???"},  // overlong
      {"\xED\xA0\x80", "???"},                         // a surrogate
      {"\xF4\x90\x80\x80", "????"},                    // past U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToLatin1(c.utf8), c.latin1) << c.utf8;
  EXPECT_EQ(Cp1252ToLatin1("\x80" "5 \x93" "A\x94 \xE9\xA0\xFF"), "?5 ?A? \xE9\xA0\xFF");
}
