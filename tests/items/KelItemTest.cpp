// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/KelItem.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "config/Configuration.h"
#include "items/KelRowIndex.h"

namespace {

using Rows = std::vector<COrbRow>;
constexpr int kMax = std::numeric_limits<int>::max();

CConfiguration MakeConfig(const std::vector<int>& types,
                          bool fractions = false) {
  CConfiguration config;
  config.ResetToDefaults();
  for (int type : types) config.m_columns.push_back({"", "", fractions, type});
  return config;
}

auto Fields(const CKelItem& i) {
  return std::tie(i.m_strMark, i.m_strMinorMark, i.m_nMarkType, i.m_bHanded,
                  i.m_strQuantity, i.m_strMaterial, i.m_nLength, i.m_nSpan,
                  i.m_nLeftQty, i.m_nRightQty, i.m_strRemarks, i.m_strGrade,
                  i.m_strWeight, i.m_nRow);
}

// Parses row `row` and checks that a parse through a row index agrees (on a
// copy of the table, since parsing rewrites quantity cells).
CKelItem Parse(Rows& rows, const CConfiguration& config, int row,
               int rowCount = -2, bool* isItem = nullptr) {
  if (rowCount == -2) rowCount = static_cast<int>(rows.size());
  Rows copy = rows;
  CKelRowIndex index(copy, config);
  CKelItem indexed, item;
  indexed.m_nRow = item.m_nRow = row;
  const bool indexedResult = indexed.ParseRow(copy, config, rowCount, &index);
  const bool result = item.ParseRow(rows, config, rowCount);
  EXPECT_EQ(result, indexedResult) << "row " << row;
  EXPECT_TRUE(Fields(item) == Fields(indexed)) << "row " << row;
  if (isItem != nullptr) *isItem = result;
  return item;
}

TEST(KelItemTest, QuantityKeepsTheDigitsOfTheFirstTwentyCharacters) {
  // clang-format off
  struct Case { std::string cell, quantity, cellAfter; } const cases[] = {
      {"TWO", "2", "2"}, {"ONE", "1", "1"}, {"TEN", "10", "10"}, {"two", "", "two"},
      {"TWO PCS", "", "TWO PCS"}, {" TWO", "", " TWO"},  // number words are whole texts
      {"2 PCS", "2", "2 PCS"}, {"1,200 PCS", "1200", "1,200 PCS"},
      {"ABCDEFGHIJKLMNOPQRST12345", "", "ABCDEFGHIJKLMNOPQRST12345"}};
  // clang-format on
  const CConfiguration config = MakeConfig({kColQuantity, kColMaterial});
  for (const Case& c : cases) {
    Rows rows = {{c.cell, "W8X10"}};
    bool isItem = false;
    EXPECT_EQ(Parse(rows, config, 0, 1, &isItem).m_strQuantity, c.quantity);
    EXPECT_EQ(isItem, !c.quantity.empty());
    EXPECT_EQ(rows[0][0], c.cellAfter);
  }
}

TEST(KelItemTest, LengthColumns) {
  // clang-format off
  struct Case { std::string ftIn, feet, inches; int expected; bool fractions = false; };
  const Case cases[] = {
      {"12", "", "", 2304}, {"12'", "", "", 2304}, {"12'-6", "", "", 2400}, {"12.6", "", "", 2400},
      {"12 6", "", "", 2400}, {"6\"", "", "", 96}, {"12' - 6", "", "", 2400},
      {"12'-6 1/2\"", "", "", 2408}, {"12'-6l", "", "", 2408, true}, {"12'-6l", "", "", 2304},
      {"", "10", "", 1920}, {"", "10", "6", 2016}, {"", "", "6-1/2", 104},
      {"", "10", "6l", 2024, true}, {"1", "10", "6", 192},  // Ft + In wins
      // An unreadable inch part adds nothing.
      {"12 W", "", "", 2304}, {"", "10", "6.5", 1920},
      // Lengths saturate instead of overflowing.
      {"99999999999", "", "", kMax}, {"11184811'-11184811\"", "", "", kMax},
      {"", "11184811", "99999", kMax}};
  // clang-format on
  for (const Case& c : cases) {
    Rows rows = {{"1", "W8X10", c.ftIn, c.feet, c.inches}};
    const CConfiguration config =
        MakeConfig({kColQuantity, kColMaterial, kColLengthFtIn, kColLengthFeet,
                    kColLengthInches},
                   c.fractions);
    EXPECT_EQ(Parse(rows, config, 0).m_nLength, c.expected)
        << c.ftIn << "|" << c.feet << "|" << c.inches;
  }
}

TEST(KelItemTest, MarkColumns) {
  // clang-format off
  struct Case { std::string major, minor, piece, mark, minorMark; int type; } const cases[] = {
      {"b12", "A1", "", "B12", "a1", kColMajorMark}, {"", "A1", "", "a1", "", kColMinorMark},
      {"b12", "A1", "p5", "p5", "a1", kColPieceMark}, {"", "A1", "P5", "P5", "", kColPieceMark},
      {"", "", "", "", "", 0}};
  // clang-format on
  const CConfiguration config =
      MakeConfig({kColMajorMark, kColMinorMark, kColPieceMark});
  for (const Case& c : cases) {
    CKelItem item;
    EXPECT_EQ(item.ParseMarks({{c.major, c.minor, c.piece}}, config),
              c.type != 0);
    EXPECT_EQ(item.m_strMark + "|" + item.m_strMinorMark,
              c.mark + "|" + c.minorMark);
    EXPECT_EQ(item.m_nMarkType, c.type);
  }

  // The later mark column wins, while ordinary fields take the first.
  Rows rows = {{"a1", "a2", "G1", "G2"}};
  const CKelItem item = Parse(
      rows, MakeConfig({kColMajorMark, kColMajorMark, kColGrade, kColGrade}),
      0);
  EXPECT_EQ(item.m_strMark + item.m_strGrade, "A2G1");
  rows = {{"a1", "a2", "", "G2"}};  // an empty cell is passed over
  EXPECT_EQ(Parse(rows, MakeConfig({kColMajorMark, kColMajorMark, kColGrade, kColGrade}), 0)
                .m_strGrade,
            "G2");
}

TEST(KelItemTest, HandedIndicatorsAndLeftRightCounts) {
  // clang-format off
  struct Case { std::string cell, remarks, mark; int handed, left, right; } const cases[] = {
      {"B12 L/R", "", "B12 L/R", 1, 0, 0},   {"B12-LFT", "", "B12L", 0, 0, 0},
      {"B12-RT", "", "B12R", 0, 0, 0},       {"B12-LFT L/R", "", "B12-LFT L/R", 1, 0, 0},
      {"B1 L/R", "2L&3R", "B1 L/R", 1, 2, 3}, {"B1 L/R", "3R&2L", "B1 L/R", 1, 2, 3},
      {"B1 L/R", "4 PCS 1L/3R", "B1 L/R", 1, 1, 3}, {"B1 L/R", "L&R", "B1 L/R", 1, 0, 0},
      {"B1 L/R", "12L&3r", "B1 L/R", 1, 12, 3}, {"B1", "2L&3R", "B1", 0, 0, 0}};
  // clang-format on
  CConfiguration config =
      MakeConfig({kColPieceMark, kColQuantity, kColMaterial, kColRemarks});
  config.m_strLeft = "-LFT";
  config.m_strRight = "-RT";
  for (const Case& c : cases) {
    Rows rows = {{c.cell, "5", "W8X10", c.remarks}};
    const CKelItem i = Parse(rows, config, 0);
    EXPECT_EQ(std::tie(i.m_strMark, i.m_bHanded, i.m_nLeftQty, i.m_nRightQty),
              std::tie(c.mark, c.handed, c.left, c.right))
        << c.cell << " " << c.remarks;
  }
}

TEST(KelItemTest, HandedAssemblySpans) {
  const CConfiguration config =
      MakeConfig({kColPieceMark, kColQuantity, kColMaterial});
  Rows rows = {
      {"B12 L/R", "1", "W8X10"},  // 0: main mark, covers rows 0 to 3
      {"p1", "2", "PL1/2X6"},    {"b9 L/R", "1", "L3X3"},  // part: span 1
      {"B20", "", ""},           // a main mark but no item: no stop
      {"B13", "1", "W8X10"},     // 4
      {"C5 L/R", "1", "W8X10"},  // 5: stops at row 6
      {"C6 L/R", "1", "W8X10"},  // 6: last main mark, to the end
      {"p3", "1", "PL1/2X6"},    {"", "", ""}};
  // clang-format off
  const struct { int row, rowCount, span; } cases[] = {
      {0, 9, 4}, {2, 9, 1}, {5, 9, 1}, {6, 9, 3}, {6, 12, 6}, {0, -1, 0}, {4, 9, 0}};
  // clang-format on
  for (const auto& c : cases)
    EXPECT_EQ(Parse(rows, config, c.row, c.rowCount).m_nSpan, c.span)
        << "row " << c.row << " of " << c.rowCount;
}

TEST(KelItemTest, FamilyCodeRefersBackToTheFirstRowOfItsMark) {
  CConfiguration config = MakeConfig({kColPieceMark, kColQuantity, kColMaterial,
                                      kColLengthFtIn, kColGrade, kColWeight});
  config.m_strLeft = "X";
  Rows rows = {
      {"A1", "1", "W8X10", "10", "A992", "100"},
      {"A1", "3", "PL ", "", "", ""},         // takes row 0, keeps quantity 3
      {"A1", "2", "W", "", "", "55"},         // keeps its own weight
      {"Z9", "4", "PL", "7", "", ""},         // no earlier Z9: unchanged
      {"CLL", "1", "PL1/2X6", "5", "", "9"},  // chain end
      {"CLX", "1", "PL", "", "", "7"},        // CLX reads as CLL: row 4
      {"CXX", "6", "PL", "", "", ""},         // CXX reads as CLX: row 5, 4
  };
  // clang-format off
  const struct { int row; std::string quantity, material, weight, grade; int length; } cases[] = {
      {1, "3", "W8X10", "100", "A992", 1920}, {2, "2", "W8X10", "55", "A992", 1920},
      {3, "4", "PL", "", "", 1344}, {6, "6", "PL1/2X6", "7", "", 960}};
  // clang-format on
  for (const auto& c : cases) {
    const CKelItem i = Parse(rows, config, c.row);
    EXPECT_EQ(
        std::tie(i.m_nRow, i.m_strQuantity, i.m_strMaterial, i.m_strWeight,
                 i.m_strGrade, i.m_nLength),
        std::tie(c.row, c.quantity, c.material, c.weight, c.grade, c.length));
  }

  // Row k's mark is "L" * (n - k) + "X" * k, which reads as row k - 1's
  // mark, so the last row refers back through all rows.
  constexpr int kRows = 300;
  Rows chain;
  for (int k = 0; k < kRows; ++k) {
    chain.push_back({std::string(kRows - k, 'L') + std::string(k, 'X'),
                     std::to_string(k + 1), k == 0 ? "W8X10" : "W"});
  }
  const CKelItem last = Parse(chain, config, kRows - 1);
  EXPECT_EQ(last.m_strMaterial, "W8X10");
  EXPECT_EQ(last.m_strQuantity, std::to_string(kRows));
}

TEST(KelItemTest, SearchReplaceAndCopiedFields) {
  CConfiguration config = MakeConfig({kColQuantity, kColMaterial, kColRemarks,
                                      kColLaborCode, kColGrade, kColAbmNumber});
  config.m_searchFor = {"PL", " \t ", "GALV"};
  config.m_replaceWith = {"PLATE", "X"};  // GALV has no replacement
  Rows rows = {{"1", " PL 1/2 ", "GALV PL", "  LC1 ", " A36 ", " 7 "}};
  const CKelItem item = Parse(rows, config, 0);
  std::string expected = "PL";
  for (int i = 0; i < 100; ++i) expected += "ATE";
  EXPECT_EQ(item.m_strMaterial, expected + " 1/2");
  EXPECT_EQ(item.m_strRemarks, " " + expected);
  EXPECT_EQ(item.m_strLaborCode, "LC1");
  EXPECT_EQ(item.m_strGrade, " A36 ");
  EXPECT_EQ(item.m_strAbmNumber, "7");
}

TEST(KelItemTest, ShortRowsAndRowsOutsideTheTable) {
  const CConfiguration config =
      MakeConfig({kColPieceMark, kColQuantity, kColMaterial, kColRemarks});
  Rows rows = {{"B1 L/R", "2", "W8X10"}, {"p1"}, {}};
  bool isItem = true;
  EXPECT_EQ(Parse(rows, config, 0).m_nSpan, 3);
  EXPECT_EQ(Parse(rows, config, 1, 3, &isItem).m_strMark, "p1");
  EXPECT_FALSE(isItem);
  for (int row : {2, 3, -1, kMax}) {
    Parse(rows, config, row, 3, &isItem);
    EXPECT_FALSE(isItem);
  }
}

}  // namespace
