// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "input/DxfText.h"

TEST(DxfText, EncodingFollowsReleaseAndCodePage) {
  struct Case { const char* version; const char* page; DxfEncoding expected; } const cases[] = {
      {"AC1021", "ANSI_1252", DxfEncoding::kUtf8}, {"AC1032", "", DxfEncoding::kUtf8},
      {"AC1018", "ANSI_1252", DxfEncoding::kCp1252}, {"AC1009", "ansi_1252", DxfEncoding::kCp1252},
      {"AC1015", "", DxfEncoding::kLatin1}, {"", "ISO8859-1", DxfEncoding::kLatin1},
      {"AC1015", "ANSI_1251", DxfEncoding::kOther},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DxfEncodingOf(c.version, c.page), c.expected) << c.version << " " << c.page;
  }
}

TEST(DxfText, TextValuesKeepWhatIsWrittenButEscapes) {
  struct Case { std::string raw; DxfEncoding encoding; std::string text; } const cases[] = {
      {"ROD %%c3/4 %%d %%p %%%", DxfEncoding::kUtf8, "ROD %%c3/4 %%d %%p %%%"},
      {"\\U+00D83/4 \\U+2300", DxfEncoding::kLatin1, "\xD8" "3/4 ?"},
      {"\\U+00G1 \\P {x}", DxfEncoding::kLatin1, "\\U+00G1 \\P {x}"},
      {"\xC3\xA9t\xC3\xA9", DxfEncoding::kUtf8, "\xE9t\xE9"},
      {"\x80 \xE9", DxfEncoding::kCp1252, "? \xE9"},
      {"\x80 \xE9", DxfEncoding::kOther, "? ?"},
  };
  for (const Case& c : cases) EXPECT_EQ(DxfPlainText(c.raw, c.encoding), c.text) << c.raw;
}

TEST(DxfText, MTextFormattingCodesAreRemoved) {
  struct Case { std::string raw; std::string text; size_t lines; } const cases[] = {
      {"{\\fArial|b0|i0|c0|p34;W12X26}", "W12X26", 1},
      {"\\A1;PLjX6", "PLjX6", 1},
      {"W/NUT\\~3/4 X 2 {\\H1.2x;A325}", "W/NUT 3/4 X 2 A325", 1},
      {"{\\LFIELD\\l} {\\O WELD\\o}{\\K\\k}", "FIELD  WELD", 1},
      {"FIRST\\PSECOND\\Pthird", "FIRST SECOND third", 3},
      {"A\\XB\\NC", "A B C", 1},
      {"\\\\ \\{ \\} \\\\P", "\\ { } \\P", 1},
      {"1\\S1/2; 2\\S3^4; \\S5#8;", "11/2 23/4 5/8", 1},
      {"\\W0.8;\\Q15;\\T1.1;\\C3;\\c255;\\pxqc;X", "X", 1},
      {"%%C3/4 \\U+00B0 \\M+18140", "%%C3/4 \xB0 ?", 1},
      {"cut \\H2", "cut ", 1},
      {"\\Z and ends with \\", "\\Z and ends with \\", 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MTextPlainText(c.raw, DxfEncoding::kUtf8), c.text) << c.raw;
    EXPECT_EQ(MTextLineCount(c.raw), c.lines) << c.raw;
  }
}
