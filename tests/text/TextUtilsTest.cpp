// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "config/Configuration.h"

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

CConfiguration DefaultConfig() {
  CConfiguration config;
  config.ResetToDefaults();
  return config;
}

TEST(ReplaceTextTest, PassesRestartAtTheBeginning) {
  // clang-format off
  struct Case {
    std::string search, replacement, text;
    int maxCount;
    bool ignoreCase;
    std::string expected;
  } const cases[] = {
      {"A", "AB", "A", 3, false, "ABBB"},   {"a", "b", "aaa", 2, false, "bba"},
      {"a", "b", "aaa", 0, false, "aaa"},   {"a", "b", "aaa", -5, false, "aaa"},
      {"", "X", "abc", 10, false, "abc"},   {"A", "x", "aA", 1, false, "ax"},
      {"abc", "", "xABCy", 30, true, "xy"}, {"pl", "Plate", "xPLy", 1, true, "xPlatey"},
      {"ab", "", "aAbBAB", 30, true, ""},   // deletions expose new matches
      {"\xC4", "X", "\xE4", 1, true, "\xE4"},  // only ASCII letters fold
      {"a", "bb", std::string(2000, 'a'), 1500, false,  // no length limit
       std::string(3000, 'b') + std::string(500, 'a')}};
  // clang-format on
  for (const Case& c : cases) {
    std::string text = c.text;
    std::string& result =
        ReplaceText(c.search, c.replacement, text, c.maxCount, c.ignoreCase);
    EXPECT_EQ(&result, &text);
    EXPECT_EQ(text, c.expected) << c.search << " in " << c.text;
  }
}

TEST(SubstituteFractionsTest, SlotsFromTheConfiguration) {
  CConfiguration config = DefaultConfig();
  EXPECT_EQ(SubstituteFractions("6l", config), "6 1/2 ");
  EXPECT_EQ(SubstituteFractions("6L", config), "6L");
  EXPECT_EQ(SubstituteFractions("1a1m", config), "1 1/16 1 15/16 ");
  config.m_bFractionIgnoreCase = 1;
  EXPECT_EQ(SubstituteFractions("6L", config), "6 1/2 ");
  config.m_fractions[7] = "";
  EXPECT_EQ(SubstituteFractions("6l", config), "6l");
  config.m_fractions.resize(2);  // a hand-made file with two slots
  EXPECT_EQ(SubstituteFractions("6d6l", config), "6 1/8 6l");
}

TEST(ParseInchesTest, Readings) {
  // clang-format off
  struct Case { std::string text; int expected; } const cases[] = {
      {"", 0}, {"  6  ", 96}, {"6-1/2", 104}, {"6 1/2", 104}, {"6  1/2", 104}, {"6 1/2\"", 104},
      {"6 1/2  \"", 104}, {"-6", 96}, {"6.5", 104}, {"6.99", 111}, {"1/2", 8}, {"3/8", 6},
      {"1/32", 1}, {"1/64", 0}, {"1/3", 5}, {"1/2 6", -1}, {"6 7", -1}, {"6 .5", -1},
      {"W8", -1}, {"10GA", 219}, {"10 GA", 219}, {"GA", 209},
      // A leading decimal point belongs to the number; a "." without a digit
      // after it, or before the numerator of a fraction, is deleted as before.
      {".875", 14}, {"-.5", 8}, {".375\"", 6}, {" .313 ", 5}, {"..5", 8}, {". 5", 80},
      {"-.", 0}, {"X.375", -1}, {".3/4", 12}, {"-.1 1/2", 24},
      // A denominator that reads as 0 is not understood.
      {"1/", -1}, {"1/0", -1}, {"6 1/0", -1},
      // Huge values saturate instead of overflowing.
      {"134217727", 134217727 * 16}, {"134217728", kMax}, {"99999999999.5", kMax},
      {"1" + std::string(400, '0') + ".5", kMax}, {"99999999999 1/2", kMax},
      {"99999999999/1", kMax}, {"99999999999GA", kMax}, {"-99999999999GA", kMin + 209}};
  // clang-format on
  const CConfiguration config = DefaultConfig();
  for (const Case& c : cases)
    EXPECT_EQ(ParseInches(c.text, config), c.expected) << c.text;
}

TEST(ParseInchesTest, EmptyOrMissingGageAbbreviationDisablesGages) {
  CConfiguration config = DefaultConfig();
  config.m_materialCodes[kCodeGage] = "GAUGE";
  EXPECT_EQ(ParseInches("12 GAUGE", config), 221);
  EXPECT_EQ(ParseInches("12 GA", config), -1);
  config.m_materialCodes[kCodeGage] = "";
  EXPECT_EQ(ParseInches("6", config), 96);
  EXPECT_EQ(ParseInches("10GA", config), -1);
  config.m_materialCodes.resize(5);
  EXPECT_EQ(ParseInches("10GA", config), -1);
}

TEST(RoundHalfUpTest, FirstDecimalDigitDecides) {
  // clang-format off
  struct Case { double value; int expected; } const cases[] = {
      {0.5, 1},    {0.45, 0},   {7.5, 8},     {7.49, 7},     {8.0, 8},
      {-0.3, 0},   {-0.5, 0},   {-0.7, -1},   {1e300, kMax}, {-1e300, kMin},
      {kInf, kMax}, {-kInf, kMin}, {std::numeric_limits<double>::quiet_NaN(), 0}};
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(RoundHalfUp(c.value), c.expected) << c.value;
}

TEST(SmallTextOpsTest, BlanksAndCase) {
  std::string text = "  a b  ", tabs = "\t a\t ", blanks = "   ";
  EXPECT_EQ(TrimTrailingBlanks(text), "  a b");
  EXPECT_EQ(TrimBlanks(text), "a b");
  EXPECT_EQ(TrimBlanks(tabs), "\t a\t");  // only code 32 is a blank
  EXPECT_EQ(TrimBlanks(blanks), "");

  EXPECT_TRUE(HasUpperCase("b12A"));
  EXPECT_FALSE(HasUpperCase("b12-\xC4"));
  EXPECT_EQ(ToUpperAscii("b12a\xE4"), "B12A\xE4");
  EXPECT_EQ(ToLowerAscii("B12A\xC4"), "b12a\xC4");
}

TEST(NumberReadingTest, AtoiSaturates) {
  // clang-format off
  struct Case { std::string text; int expected; } const cases[] = {
      {"  -12abc", -12},      {"+7", 7},              {"\t\n 5", 5},
      {"abc", 0},             {"- 5", 0},             {"12'-6", 12},
      {"2147483647", kMax},   {"-2147483648", kMin},  {"2147483648", kMax},
      {"99999999999999999999", kMax},                 {"-99999999999999999999", kMin}};
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(AtoiSaturated(c.text), c.expected) << c.text;
}

TEST(NumberReadingTest, AtofUsesTheClassicDecimalPoint) {
  EXPECT_DOUBLE_EQ(AtofClassic(" -1.25e2x"), -125.0);
  EXPECT_DOUBLE_EQ(AtofClassic("6.5\""), 6.5);
  EXPECT_DOUBLE_EQ(AtofClassic("abc"), 0.0);
  EXPECT_DOUBLE_EQ(AtofClassic("0x10"), 16.0);
  EXPECT_TRUE(std::isinf(AtofClassic("inf")));

  // Under a locale whose decimal point is a comma the reading must not
  // change (checked where such a locale is installed).
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if ((switched = std::setlocale(LC_NUMERIC, name) != nullptr)) break;
  }
  const double value = AtofClassic("6.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (switched) {
    EXPECT_DOUBLE_EQ(value, 6.5);
  }
}

}  // namespace
