// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "OrbRowPrinter.h"
#include "table/TableBuilderReference.h"

namespace {

using Columns = std::vector<std::pair<std::string, int>>;  // header, type
using Rows = std::vector<COrbRow>;

// A document as the reader leaves it: texts top to bottom, left to right.
COrb MakeOrb(std::vector<COrbText> texts, const Columns& columns) {
  COrb orb;
  std::stable_sort(texts.begin(), texts.end(), [](auto& a, auto& b) {
    return a.m_y != b.m_y ? a.m_y > b.m_y : a.m_x < b.m_x;
  });
  orb.m_texts = std::move(texts);
  for (const auto& [header, type] : columns) {
    orb.m_config.m_columns.push_back(
        {header, kColumnTypeNames[type], false, type});
  }
  return orb;
}

const Columns kFourColumns = {{"MARK", kColPieceMark},
                              {"QTY", kColQuantity},
                              {"DESCRIPTION", kColMaterial},
                              {"LENGTH", kColLengthFtIn}};

// A title, one header line at x 0, 20000, 40000, 70000 and 55000, and three
// item lines 10,000 apart whose texts lie up to 100 above or below their line.
std::vector<COrbText> Drawing(const std::vector<std::string>& headers) {
  // clang-format off
  std::vector<COrbText> texts = {{0, 100000, "BILL OF MATERIAL"},
      {0, 70100, "A1"}, {20000, 69900, "2"}, {40000, 70000, "W12X26"}, {70000, 69950, "20'-6"},
      {100, 59900, "A2"}, {20050, 60100, "1"}, {40000, 60000, "L4X4"}, {70000, 60080, "10'"},
      {0, 50000, "A3"}, {20000, 49900, "4"}, {40100, 50100, "PL1/2"}, {70000, 50000, "2'-0"}};
  // clang-format on
  const int32_t x[] = {0, 20000, 40000, 70000, 55000};
  for (size_t i = 0; i < headers.size(); ++i) {
    texts.push_back({x[i], 80000, headers[i]});
  }
  return texts;
}

// Rows built from `orb`, after checking the result and the row count.
Rows Build(COrb& orb, int result) {
  EXPECT_EQ(orb.ApplyLoadedConfiguration(), result);
  EXPECT_EQ(orb.m_nRows, static_cast<int>(orb.m_rows.size()));
  EXPECT_EQ(orb.m_rows.empty(), orb.m_nColumns == 0);
  return orb.m_rows;
}

TEST(TableBuilderTest, CountTexts) {
  // clang-format off
  for (const char* count : {"12", "Ten", "(3)", " ( 007 ) ", "tHrEe", "\t5\r", "x(2", "2)x"})
    EXPECT_TRUE(IsCountText(count)) << count;
  for (const char* other : {"4 (SHOP)", "12A", "", "()", "-1", "ELEVEN", "1 2"})
    EXPECT_FALSE(IsCountText(other)) << other;
  // clang-format on
}

TEST(TableBuilderTest, WhetherTheConfigurationApplies) {
  // clang-format off
  struct Case { const char* name; Columns columns; int result, matched, width; COrbRow row = {}; };
  const Case cases[] = {
      {"trailing blank matches nothing",
       {{"MARK ", kColPieceMark}, {"QTY", 1}, {"DESCRIPTION", 2}}, -2, 2, 3},
      {"no mark column", {{"QTY", 1}, {"DESCRIPTION", 2}}, -2, 2, 2},
      {"no header at all", {{"PART", 8}, {"PCS", 1}}, -2, 0, 0},
      {"8 configured, 5 matched",
       {{"MARK", 8}, {"WEIGHT", 11}, {"QTY", 1}, {"DESCRIPTION", 2},
        {"GRADE", 9}, {"LENGTH", 5}, {"SEQ", 12}, {"REMARKS", 10}}, 0, 5, 8,
       {"A2", "", "1", "L4X4", "", "10'", "", ""}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    COrb orb =
        MakeOrb(Drawing({"MARK", "QTY", "DESCRIPTION", "LENGTH", "REMARKS"}),
                c.columns);
    const Rows rows = Build(orb, c.result);
    EXPECT_EQ(orb.m_nColumns, c.matched);
    for (const COrbRow& row : rows) EXPECT_EQ(row.size(), size_t(c.width));
    if (c.row.size() > 0) {
      ASSERT_EQ(rows.size(), 3u);
      EXPECT_EQ(rows[1], c.row);
    }
  }
  // Headers match whole, ignoring case; the title stays out of the rows.
  COrb orb =
      MakeOrb(Drawing({"Mark", "qty", "Description", "LENGTH"}), kFourColumns);
  EXPECT_EQ(Build(orb, 0), (Rows{{"A1", "2", "W12X26", "20'-6"},
                                 {"A2", "1", "L4X4", "10'"},
                                 {"A3", "4", "PL1/2", "2'-0"}}));
  EXPECT_EQ(orb.m_nColumns, 4);
}

TEST(TableBuilderTest, SmallDocuments) {
  const Columns three = {{"MARK", 8}, {"QTY", 1}, {"DESC", 2}};
  const std::vector<COrbText> header = {
      {0, 100, "MARK"}, {50, 100, "QTY"}, {90, 100, "DESC"}};
  COrb noCount = MakeOrb({{0, 100, "MARK"}, {0, 50, "A1"}, {0, 0, "two pcs"}},
                         kFourColumns);
  EXPECT_EQ(Build(noCount, -2), Rows{});
  // A lone first text that is the only header stays out of the data.
  COrb lone =
      MakeOrb({{0, 100, "QTY"}, {0, 50, "1"}, {0, 0, "2"}}, kFourColumns);
  EXPECT_EQ(Build(lone, -2), (Rows{{"", "1", "", ""}, {"", "2", "", ""}}));

  // The later text wins a cell.
  COrb later = MakeOrb(header, three);
  later.m_texts.insert(later.m_texts.end(),
                       {{50, 0, "3"}, {90, 0, "A"}, {95, 0, "B"}});
  EXPECT_EQ(Build(later, 0), (Rows{{"", "3", "B"}}));

  // The data region is 1 high but holds a text two billion below it: the
  // tolerance would have to grow for ages before that text joins a row.
  COrb unsorted = MakeOrb(header, three);
  unsorted.m_texts.insert(
      unsorted.m_texts.end(),
      {{0, 10, "A"}, {90, -2000000000, "W8"}, {50, 9, "1"}});
  EXPECT_EQ(Build(unsorted, 0), (Rows{{"A", "1", ""}, {"", "", "W8"}}));
}

TEST(TableBuilderTest, HeadersAnywhereAboveTheData) {
  // A title equal to a header is a header too; an empty configured header
  // matches the empty text above the data.
  std::vector<COrbText> texts = Drawing({"MARK", "QTY", "DESCRIPTION"});
  texts[0] = {90000, 100000, "mark"};
  texts.push_back({55000, 90000, ""});
  texts[5] = {88000, 59900, "B2"};
  COrb orb = MakeOrb(
      texts, {{"MARK", 8}, {"QTY", 1}, {"DESCRIPTION", 2}, {"", kColRemarks}});
  const Rows rows = Build(orb, 0);
  EXPECT_EQ(orb.m_nColumns, 5);
  ASSERT_EQ(rows.size(), 3u);
  // "10'" is nearest to the empty header at 55000.
  EXPECT_EQ(std::string(rows[1][0]) + "|" + std::string(rows[1][3]), "B2|10'");
}

TEST(TableBuilderTest, FiveThousandthsApart) {
  const std::vector<COrbText> texts = {
      {0, 100000, "a"}, {0, 50005, "b"}, {0, 50000, "c"}, {0, 0, "d"}};
  EXPECT_EQ(ClusterRows(texts, 0, 0.0051).size(), 3u);
  EXPECT_EQ(ClusterRows(texts, 0, 0.005).size(), 4u);
  EXPECT_EQ(ClusterRows(texts, 0, -1.0).size(), 4u);
}

// Small tables full of ties: coordinates on a coarse grid, so that texts lie
// exactly between rows and headers, heights repeat, and headers share x.
COrb RandomTable(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % n); };
  const int64_t scales[] = {1, 3, 1000, 50000000};
  const int64_t offsets[] = {0, INT32_MIN, 1000000000, 2000000000};
  const int64_t scale = scales[pick(4)], offset = offsets[pick(4)];
  auto at = [&](int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v * scale + offset, INT32_MIN, INT32_MAX));
  };
  static const char* const kHeaders[] = {"MARK", "qty", "DESC", "", "LEN"};
  static const int kTypes[] = {8, 1, 2, 10, 5};
  static const char* const kCells[] = {"1", "2", "TEN", "A", "B", "", "(3)"};

  Columns columns;
  for (int i = 0, n = 1 + pick(5); i < n; ++i) {
    const int h = pick(5);
    columns.push_back({kHeaders[h], kTypes[pick(3) == 0 ? pick(5) : h]});
  }
  std::vector<COrbText> texts;
  for (int i = 0, n = pick(5); i < n; ++i) {
    texts.push_back({at(pick(7)), at(12 + pick(3)), kHeaders[pick(5)]});
  }
  for (int r = 0, rows = 1 + pick(4); r < rows; ++r) {
    const int base = 10 - 2 * r - pick(2) * 2;
    for (int i = 0, n = 1 + pick(4); i < n; ++i) {
      texts.push_back({at(pick(7)), at(base + pick(3) - 1), kCells[pick(7)]});
    }
  }
  COrb orb = MakeOrb(texts, columns);
  if (pick(10) == 0) std::shuffle(orb.m_texts.begin(), orb.m_texts.end(), rng);
  return orb;
}

TEST(TableBuilderTest, SameRowsAsThePlainScans) {
  std::mt19937 rng(20240611);
  int built = 0;
  for (int seed = 0; seed < 10000; ++seed) {
    COrb fast = RandomTable(rng);
    COrb plain = fast;
    const int result = fast.ApplyLoadedConfiguration();
    const int expected = reference::Apply(plain);
    ASSERT_EQ(std::tie(result, fast.m_rows, fast.m_nRows, fast.m_nColumns),
              std::tie(expected, plain.m_rows, plain.m_nRows, plain.m_nColumns))
        << seed;
    built += fast.m_nRows >= 2;
  }
  EXPECT_GT(built, 3000);  // the generator must reach the search
}

TEST(TableBuilderTest, RowsAndCellsAsThePlainScans) {
  std::mt19937 rng(7);
  const int32_t extremes[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX};
  auto value = [&] {
    return rng() % 4 == 0 ? extremes[rng() % 6]
                          : static_cast<int32_t>(rng() % 9) * 4 - 16;
  };
  const double tolerances[] = {-2.4, 0.0, 0.1, 5.1, 12.5, 50.0, 100.1, 1e12};
  for (int round = 0; round < 10000; ++round) {
    std::vector<COrbText> texts(1 + rng() % 12);
    for (COrbText& t : texts) t = {value(), value() / 2, "x"};
    if (round % 2) {
      std::sort(texts.begin(), texts.end(),
                [](const auto& a, const auto& b) { return a.m_y > b.m_y; });
    }
    const double tolerance = tolerances[rng() % 8];
    const std::vector<int32_t> rows = ClusterRows(texts, 0, tolerance);
    ASSERT_EQ(rows, reference::ClusterRows(texts, 0, tolerance)) << round;

    std::vector<COrbHeader> headers(1 + rng() % 5);
    for (size_t i = 0; i < headers.size(); ++i)
      headers[i] = {value(), static_cast<int>(i)};
    const CHeaderIndex index(headers);
    // The texts themselves, and points between and around the rows.
    for (int i = 0; i < 8; ++i) texts.push_back({value(), value() / 2, "p"});
    for (const COrbText& t : texts) {
      ASSERT_EQ(AssignCell(t, rows, index),
                reference::AssignCell(t, rows, headers))
          << round;
    }
  }
}

}  // namespace
