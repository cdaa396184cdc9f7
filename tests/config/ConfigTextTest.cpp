// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ConfigText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "TestConfiguration.h"

namespace {

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// Reads `text`, expecting no error (warnings may come).
CConfiguration Reread(const std::string& text) {
  CConfiguration back;
  std::vector<CConfigTextMessage> messages;
  EXPECT_TRUE(ConfigurationFromText(text, back, messages))
      << messages.front().m_nLine << ": " << messages.front().m_strText;
  return back;
}

TEST(ConfigTextTest, GeneratedConfigurationsSurviveTheTextForm) {
  struct Case {
    const char* name;
    std::function<void(CConfiguration&)> change;
  };
  const Case cases[] = {
      {"new", [](CConfiguration&) {}},
      {"every column type",
       [](CConfiguration& c) {
         for (int t = 0; t < kColumnTypeCount; ++t) {
           c.m_columns.push_back(
               {"H" + std::to_string(t), kColumnTypeNames[t], t % 2 == 1, t});
         }
       }},
      {"every byte in every kind of text, odd texts",
       [](CConfiguration& c) {
         c.m_columns.push_back({AllBytes(), "Remarks", true, kColRemarks});
         c.m_columns.push_back({"\nLF FIRST'''\"\"\"#[x]", "None", false, 0});
         c.m_materialCodes[3] = c.m_fractions[0] = AllBytes();
         c.m_defaultGrades[19] = c.m_strDefaultGrade = AllBytes();
         c.m_strLeft = c.m_searchFor[0] = c.m_replaceWith[5] = AllBytes();
         c.m_searchFor[1] = "\r\n";
         c.m_replaceWith[1] = "\\u00E9";
       }},
      {"long texts",
       [](CConfiguration& c) {
         c.m_columns.push_back({std::string(300, 'H'), "Material", false, 2});
         c.m_searchFor[2] = std::string(70000, '\xE9');
         c.m_materialCodes[0] = std::string(16, 'W');
       }},
      {"empty lists", [](CConfiguration& c) { c = CConfiguration(); }},
      {"as a file of the first release loads",
       [](CConfiguration& c) {
         c.m_searchFor.clear();
         c.m_replaceWith.clear();
       }},
      {"short lists of a hand-made file",
       [](CConfiguration& c) {
         c.m_materialCodes.resize(3);
         c.m_fractions.resize(1);
         c.m_replaceWith.push_back("7");
       }},
      {"numbers and switches beyond 0 and 1",
       [](CConfiguration& c) {
         c.m_nReserved = std::numeric_limits<int32_t>::min();
         c.m_bFractionIgnoreCase = 1;
         c.m_bDiscardInOutput = -7;
         c.m_bUseHssForTubes = std::numeric_limits<int32_t>::max();
         c.m_dReserved1 = -0.0;
         c.m_dReserved2 = std::nan("5");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CConfiguration config = NewConfig();
    c.change(config);
    const std::string text = ConfigurationToText(config);
    const CConfiguration back = Reread(text);
    EXPECT_EQ(Stored(back), Stored(config));
    EXPECT_EQ(ConfigurationToText(back), text);
  }
}

TEST(ConfigTextTest, EveryDoubleKeepsItsBits) {
  using Limits = std::numeric_limits<double>;
  const double inf = Limits::infinity(), nan = Limits::quiet_NaN();
  std::vector<double> values = {
      0.1,  1.0 / 3, 5e-324, -2.2250738585072014e-308, 1e21, Limits::max(), inf,
      -inf, nan,     -nan,   Limits::signaling_NaN()};
  std::mt19937_64 random(9);
  for (int i = 0; i < 500; ++i)
    values.push_back(std::bit_cast<double>(random()));
  for (const double value : values) {
    CConfiguration config = NewConfig();
    config.m_dReserved1 = value;
    const std::string text = ConfigurationToText(config);
    ASSERT_EQ(std::bit_cast<uint64_t>(Reread(text).m_dReserved1),
              std::bit_cast<uint64_t>(value))
        << text.substr(text.find("double_1"));
  }
}

TEST(ConfigTextTest, MissingKeysTakeTheValuesOfANewConfiguration) {
  EXPECT_EQ(Reread(""), NewConfig());
  CConfiguration expected = NewConfig();
  expected.m_columns.push_back({"QTY", "Quantity", false, kColQuantity});
  expected.m_columns.push_back({"", "None", true, kColNone});
  expected.m_strLeft = "L";
  EXPECT_EQ(Reread("columns = [{ header = \"QTY\", type = \"Quantity\" },\n"
                   "  { fractions = true }]\n[indicators]\nleft = \"L\"\n"),
            expected);
}

TEST(ConfigTextTest, QuotesBytesAsLatin1) {
  const struct {
    std::string bytes;
    std::string quoted;
  } cases[] = {
      {"", "\"\""},
      {"A \"B\" \\C", "\"A \\\"B\\\" \\\\C\""},
      {std::string("\0\b\t\n\f\r\x1B\x7F", 8),
       "\"\\u0000\\b\\t\\n\\f\\r\\u001B\\u007F\""},
      {"\x80\x85\x9F", "\"\\u0080\\u0085\\u009F\""},
      {"\xA0\xD8\xE9\xFF", "\"\xC2\xA0\xC3\x98\xC3\xA9\xC3\xBF\""},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteText(c.bytes), c.quoted);
}

}  // namespace
