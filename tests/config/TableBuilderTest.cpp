#include "config/TableBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "TempDir.h"
#include "config/Archive.h"
#include "config/TableBuilderReference.h"

namespace {

struct Column {
  std::string header;
  int type;
};

// A document as the reader leaves it: texts top to bottom, left to right.
COrb MakeOrb(std::vector<COrbText> texts, const std::vector<Column>& columns) {
  COrb orb;
  std::stable_sort(texts.begin(), texts.end(),
                   [](const auto& a, const auto& b) {
                     return a.m_y != b.m_y ? a.m_y > b.m_y : a.m_x < b.m_x;
                   });
  orb.m_texts = std::move(texts);
  for (const Column& c : columns) {
    CConfigColumnItem item;
    item.m_strHeader = c.header;
    item.m_strType = kColumnTypeNames[c.type];
    item.m_nType = c.type;
    orb.m_config.m_columns.push_back(item);
  }
  return orb;
}

const std::vector<Column> kFourColumns = {{"MARK", kColPieceMark},
                                          {"QTY", kColQuantity},
                                          {"DESCRIPTION", kColMaterial},
                                          {"LENGTH", kColLengthFtIn}};

// A title, one header line at x 0, 20000, 40000 and 70000, and three item
// lines 10,000 apart whose texts lie up to 100 above or below their line.
std::vector<COrbText> Drawing(const std::vector<std::string>& headers) {
  // clang-format off
  std::vector<COrbText> texts = {
      {0, 100000, "BILL OF MATERIAL"},
      {0, 70100, "A1"}, {20000, 69900, "2"},
      {40000, 70000, "W12X26"}, {70000, 69950, "20'-6"},
      {100, 59900, "A2"}, {20050, 60100, "1"},
      {40000, 60000, "L4X4"}, {70000, 60080, "10'"},
      {0, 50000, "A3"}, {20000, 49900, "4"},
      {40100, 50100, "PL1/2"}, {70000, 50000, "2'-0"}};
  // clang-format on
  const int32_t x[] = {0, 20000, 40000, 70000, 55000};
  for (size_t i = 0; i < headers.size(); ++i) {
    texts.push_back({x[i], 80000, headers[i]});
  }
  return texts;
}

TEST(TableBuilderTest, CountTexts) {
  struct Case {
    const char* text;
    bool count;
  } cases[] = {{"12", true},        {"Ten", true},     {"(3)", true},
               {" ( 007 ) ", true}, {"tHrEe", true},   {"4 (SHOP)", false},
               {"12A", false},      {"", false},       {"()", false},
               {"-1", false},       {"ELEVEN", false}, {"1 2", false},
               {"\t5\r", true},     {"x(2", true},     {"2)x", true}};
  for (const Case& c : cases) EXPECT_EQ(IsCountText(c.text), c.count) << c.text;
}

TEST(TableBuilderTest, ThreeItemLinesUnderATitle) {
  COrb orb =
      MakeOrb(Drawing({"Mark", "qty", "Description", "LENGTH"}), kFourColumns);
  ASSERT_EQ(orb.ApplyLoadedConfiguration(), 0);
  EXPECT_EQ(orb.m_nColumns, 4);
  EXPECT_EQ(orb.m_nRows, 3);
  EXPECT_EQ(orb.m_rows, (std::vector<COrbRow>{{"A1", "2", "W12X26", "20'-6"},
                                              {"A2", "1", "L4X4", "10'"},
                                              {"A3", "4", "PL1/2", "2'-0"}}));
}

TEST(TableBuilderTest, WhetherTheConfigurationApplies) {
  struct Case {
    const char* name;
    std::vector<Column> columns;
    int result, nColumns, width;
  };
  // clang-format off
  const Case cases[] = {
      {"trailing blank matches nothing",
       {{"MARK ", kColPieceMark}, {"QTY", 1}, {"DESCRIPTION", 2}}, -2, 2, 3},
      {"no mark column", {{"QTY", 1}, {"DESCRIPTION", 2}}, -2, 2, 2},
      {"no header at all", {{"PART", 8}, {"PCS", 1}}, -2, 0, 0},
      {"8 configured, 5 matched",
       {{"MARK", 8}, {"WEIGHT", 11}, {"QTY", 1}, {"DESCRIPTION", 2},
        {"GRADE", 9}, {"LENGTH", 5}, {"SEQ", 12}, {"REMARKS", 10}}, 0, 5, 8},
  };
  // clang-format on
  for (const Case& c : cases) {
    COrb orb =
        MakeOrb(Drawing({"MARK", "QTY", "DESCRIPTION", "LENGTH", "REMARKS"}),
                c.columns);
    EXPECT_EQ(orb.ApplyLoadedConfiguration(), c.result) << c.name;
    EXPECT_EQ(orb.m_nColumns, c.nColumns) << c.name;
    EXPECT_EQ(orb.m_nRows, static_cast<int>(orb.m_rows.size())) << c.name;
    EXPECT_EQ(orb.m_rows.empty(), c.nColumns == 0) << c.name;
    for (const COrbRow& row : orb.m_rows) {
      EXPECT_EQ(row.size(), static_cast<size_t>(c.width)) << c.name;
    }
    if (c.width == 8) {
      ASSERT_EQ(orb.m_nRows, 3);
      EXPECT_EQ(orb.m_rows[1],
                (COrbRow{"A2", "", "1", "L4X4", "", "10'", "", ""}));
    }
  }
}

TEST(TableBuilderTest, WithoutACountNothingIsBuilt) {
  COrb orb = MakeOrb({{0, 100, "MARK"}, {0, 50, "A1"}, {0, 0, "two pcs"}},
                     kFourColumns);
  EXPECT_EQ(orb.ApplyLoadedConfiguration(), -2);
  EXPECT_EQ(orb.m_nRows, 0);
  EXPECT_EQ(orb.m_nColumns, 0);
  EXPECT_TRUE(orb.m_rows.empty());
}

TEST(TableBuilderTest, HeadersAnywhereAboveTheData) {
  // A title equal to a header is a header too; an empty configured header
  // matches the empty text above the data; a lone first text that is the
  // only header stays out of the data.
  std::vector<COrbText> texts = Drawing({"MARK", "QTY", "DESCRIPTION"});
  texts[0] = {90000, 100000, "mark"};
  texts.push_back({55000, 90000, ""});
  texts[5] = {88000, 59900, "B2"};
  COrb orb = MakeOrb(
      texts, {{"MARK", 8}, {"QTY", 1}, {"DESCRIPTION", 2}, {"", kColRemarks}});
  ASSERT_EQ(orb.ApplyLoadedConfiguration(), 0);
  EXPECT_EQ(orb.m_nColumns, 5);
  ASSERT_EQ(orb.m_nRows, 3);
  EXPECT_EQ(orb.m_rows[1][0], "B2");
  EXPECT_EQ(orb.m_rows[1][3], "10'");  // nearest to the empty header at 55000

  COrb lone =
      MakeOrb({{0, 100, "QTY"}, {0, 50, "1"}, {0, 0, "2"}}, kFourColumns);
  EXPECT_EQ(lone.ApplyLoadedConfiguration(), -2);
  EXPECT_EQ(lone.m_rows,
            (std::vector<COrbRow>{{"", "1", "", ""}, {"", "2", "", ""}}));
}

TEST(TableBuilderTest, LaterTextWinsACell) {
  COrb orb = MakeOrb({{0, 100, "MARK"},
                      {50, 100, "QTY"},
                      {90, 100, "DESC"},
                      {50, 0, "3"},
                      {90, 0, "A"},
                      {95, 0, "B"}},
                     {{"MARK", 8}, {"QTY", 1}, {"DESC", 2}});
  EXPECT_EQ(orb.ApplyLoadedConfiguration(), 0);
  EXPECT_EQ(orb.m_rows, (std::vector<COrbRow>{{"", "3", "B"}}));
}

TEST(TableBuilderTest, FiveThousandthsApart) {
  const std::vector<COrbText> texts = {
      {0, 100000, "a"}, {0, 50005, "b"}, {0, 50000, "c"}, {0, 0, "d"}};
  EXPECT_EQ(ClusterRows(texts, 0, 0.0051).size(), 3u);
  EXPECT_EQ(ClusterRows(texts, 0, 0.005).size(), 4u);
  EXPECT_EQ(ClusterRows(texts, 0, -1.0).size(), 4u);
}

TEST(TableBuilderTest, ConfigurationFile) {
  TempDir dir;
  COrb orb = MakeOrb(Drawing({"MARK", "QTY", "DESCRIPTION"}), {});
  EXPECT_EQ(orb.ApplyConfiguration(dir.Path("missing.cfg")), -1);
  EXPECT_THROW(orb.ApplyConfiguration(dir.Write("short.cfg", "\x9f")),
               CArchiveException);

  CConfiguration config = MakeOrb({}, kFourColumns).m_config;
  config.ResetToDefaults();
  ASSERT_EQ(StoreConfigurationFile(dir.Path("four.cfg"), config), 0);
  COrb fresh = MakeOrb(Drawing({"MARK", "QTY", "DESCRIPTION", "LENGTH"}), {});
  EXPECT_EQ(fresh.ApplyConfiguration(dir.Path("four.cfg")), 0);
  EXPECT_EQ(fresh.m_nRows, 3);
}

TEST(TableBuilderTest, TextsOutOfOrderEndTheSearch) {
  // The data region is 1 high but holds a text two billion below it: the
  // tolerance would have to grow for ages before that text joins a row.
  COrb orb = MakeOrb({{0, 100, "MARK"}, {50, 100, "QTY"}, {90, 100, "DESC"}},
                     {{"MARK", 8}, {"QTY", 1}, {"DESC", 2}});
  orb.m_texts.push_back({0, 10, "A"});
  orb.m_texts.push_back({90, -2000000000, "W8"});
  orb.m_texts.push_back({50, 9, "1"});
  EXPECT_EQ(orb.ApplyLoadedConfiguration(), 0);
  EXPECT_EQ(orb.m_rows, (std::vector<COrbRow>{{"A", "1", ""}, {"", "", "W8"}}));
}

// Small tables full of ties: coordinates on a coarse grid, so that texts lie
// exactly between rows and headers, heights repeat, and headers share x.
COrb RandomTable(std::mt19937& rng) {
  auto pick = [&](int n) { return static_cast<int>(rng() % n); };
  const int64_t scales[] = {1, 3, 1000, 50000000};
  const int64_t offsets[] = {0, INT32_MIN, 1000000000, 2000000000};
  const int64_t scale = scales[pick(4)];
  const int64_t offset = offsets[pick(4)];
  auto at = [&](int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v * scale + offset, INT32_MIN, INT32_MAX));
  };
  static const char* const kHeaders[] = {"MARK", "qty", "DESC", "", "LEN"};
  static const int kTypes[] = {8, 1, 2, 10, 5};
  static const char* const kCells[] = {"1", "2", "TEN", "A", "B", "", "(3)"};

  std::vector<Column> columns;
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
    ASSERT_EQ(result, reference::Apply(plain)) << seed;
    ASSERT_EQ(fast.m_rows, plain.m_rows) << seed;
    ASSERT_EQ(fast.m_nRows, plain.m_nRows) << seed;
    ASSERT_EQ(fast.m_nColumns, plain.m_nColumns) << seed;
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
