// SPDX-License-Identifier: GPL-3.0-or-later
// What the table builder records about the table it rebuilt: headers, row
// heights, the place of every text and the texts that lost their cell.
#include <gtest/gtest.h>

#include <algorithm>

#include "OrbRowPrinter.h"
#include "table/TableBuilder.h"
#include "input/OrbRecord.h"

namespace {

using Columns = std::vector<std::pair<std::string, int>>;  // header, type

const Columns kColumns = {{"MARK", kColPieceMark},
                          {"QTY", kColQuantity},
                          {"DESCRIPTION", kColMaterial},
                          {"LENGTH", kColLengthFtIn}};

// A document as the reader leaves it: texts top to bottom, left to right.
COrb MakeOrb(std::vector<COrbText> texts, const Columns& columns = kColumns) {
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

size_t IndexOf(const COrb& orb, const std::string& text) {
  for (size_t i = 0; i < orb.m_texts.size(); ++i) {
    if (orb.m_texts[i].m_text == text) return i;
  }
  ADD_FAILURE() << "no text " << text;
  return 0;
}

// A title, a header line with one text the configuration does not name,
// and three item lines. Line 2 holds three texts near the description
// header at one height (each takes the cell from the one read before it, so
// "PAINT" keeps it) and an empty text.
std::vector<COrbText> Drawing() {
  // clang-format off
  return {{0, 100000, "BILL OF MATERIAL"},
      {0, 80000, "MARK"}, {20000, 80000, "QTY"}, {40000, 80000, "DESCRIPTION"},
      {70000, 80000, "LENGTH"}, {90000, 80000, "NOTES"},
      {0, 70100, "A1"}, {20000, 69900, "2"}, {40000, 70000, "W12X26"}, {70000, 69950, "20'-6"},
      {100, 60000, "A2"}, {20050, 60100, "1"}, {40000, 60000, "L4X4"}, {44000, 60000, "GALV"},
      {46000, 60000, "PAINT"},
      {60000, 60050, ""},
      {0, 50000, "A3"}, {20000, 49900, "4"}, {40100, 50100, "PL1/2"}, {70000, 50000, "2'-0"}};
  // clang-format on
}

TEST(TableRecordTest, RecordsWhatTheBuilderDid) {
  COrb plain = MakeOrb(Drawing());
  ASSERT_EQ(plain.ApplyLoadedConfiguration(), 0);

  COrb orb = MakeOrb(Drawing());
  COrbRecord record;
  orb.m_pRecord = &record;
  ASSERT_EQ(orb.ApplyLoadedConfiguration(), 0);
  EXPECT_EQ(orb.m_rows, plain.m_rows);  // recording changes nothing
  const CTableRecord& table = record.m_table;

  EXPECT_TRUE(table.m_bBuilt);
  EXPECT_TRUE(table.m_bCountFound);
  EXPECT_TRUE(table.m_bMark && table.m_bQuantity && table.m_bMaterial);
  EXPECT_EQ(table.m_nFirstRowHeight, 80000);
  EXPECT_EQ(table.m_nStartIndex, IndexOf(orb, "NOTES") + 1);
  ASSERT_EQ(table.m_headers.size(), 4u);
  for (int j = 0; j < 4; ++j) {
    const CHeaderRecord& header = table.m_headers[static_cast<size_t>(j)];
    EXPECT_EQ(orb.m_texts[header.m_nText].m_text, kColumns[j].first);
    EXPECT_EQ(header.m_nColumn, j);
    EXPECT_EQ(header.m_y, 80000);
  }
  EXPECT_EQ(table.m_dTolerance,
            FindRowTolerance(orb.m_texts,
                             {{0, 0}, {20000, 1}, {40000, 2}, {70000, 3}},
                             table.m_nStartIndex));
  // Texts at one height in one cell: every tolerance conflicts, so the
  // search ends at 0 and every text makes a row of its own.
  EXPECT_LE(table.m_dTolerance, 0.0);
  ASSERT_EQ(table.m_rowHeights.size(), orb.m_rows.size());
  EXPECT_TRUE(std::is_sorted(table.m_rowHeights.begin(),
                             table.m_rowHeights.end(), std::greater<>()));

  struct Case {
    const char* text;
    TextPlace place;
    int column;
  };
  const Case kCases[] = {
      {"BILL OF MATERIAL", TextPlace::kAboveData, -1},
      {"NOTES", TextPlace::kAboveData, -1},
      {"QTY", TextPlace::kHeader, 1},
      {"A1", TextPlace::kCell, 0},
      {"20'-6", TextPlace::kCell, 3},
      {"L4X4", TextPlace::kReplaced, 2},
      {"GALV", TextPlace::kReplaced, 2},
      {"PAINT", TextPlace::kCell, 2},
      {"", TextPlace::kEmpty, -1},
  };
  ASSERT_EQ(table.m_texts.size(), orb.m_texts.size());
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    const CTextRecord& place = table.m_texts[IndexOf(orb, c.text)];
    EXPECT_EQ(place.m_place, c.place);
    EXPECT_EQ(place.m_nColumn, c.column);
    if (c.place == TextPlace::kCell) {
      // The cell the record names holds the text.
      EXPECT_EQ(orb.m_rows[place.m_nRow][static_cast<size_t>(c.column)],
                c.text);
    }
  }
  const size_t chain[] = {IndexOf(orb, "L4X4"), IndexOf(orb, "GALV"),
                          IndexOf(orb, "PAINT")};
  ASSERT_EQ(table.m_conflicts.size(), 2u);
  for (size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(table.m_texts[chain[k]].m_nReplacedBy, chain[k + 1]);
    EXPECT_EQ(table.m_conflicts[k].m_nEarlier, chain[k]);
    EXPECT_EQ(table.m_conflicts[k].m_nLater, chain[k + 1]);
    EXPECT_EQ(table.m_conflicts[k].m_nRow, table.m_texts[chain[2]].m_nRow);
    EXPECT_EQ(table.m_conflicts[k].m_nColumn, 2);
  }
}

TEST(TableRecordTest, CleanTable) {
  // Without the overlapping texts the search finds a tolerance above 0, the
  // rows are the three item lines (at the heights the clustering gives) and
  // every data text holds its own cell.
  std::vector<COrbText> texts = Drawing();
  std::erase_if(
      texts, [](auto& t) { return t.m_text == "GALV" || t.m_text == "PAINT"; });
  COrb orb = MakeOrb(texts);
  COrbRecord record;
  orb.m_pRecord = &record;
  ASSERT_EQ(orb.ApplyLoadedConfiguration(), 0);
  const CTableRecord& table = record.m_table;
  EXPECT_GT(table.m_dTolerance, 0.0);
  EXPECT_EQ(table.m_rowHeights.size(), 3u);
  EXPECT_EQ(table.m_rowHeights,
            ClusterRows(orb.m_texts, table.m_nStartIndex, table.m_dTolerance));
  EXPECT_TRUE(table.m_conflicts.empty());
  for (size_t i = table.m_nStartIndex; i < orb.m_texts.size(); ++i) {
    const CTextRecord& place = table.m_texts[i];
    if (orb.m_texts[i].m_text.empty()) continue;
    EXPECT_EQ(place.m_place, TextPlace::kCell);
    EXPECT_EQ(orb.m_rows[place.m_nRow][static_cast<size_t>(place.m_nColumn)],
              orb.m_texts[i].m_text);
  }
}

TEST(TableRecordTest, NoTable) {
  // Without a count, or without a matched header, no rows are built and
  // every text is recorded as in no table.
  struct Case {
    const char* name;
    std::vector<COrbText> texts;
    bool countFound;
  };
  const Case kCases[] = {
      {"no count", {{0, 20000, "MARK"}, {0, 10000, "A1"}}, false},
      {"no header", {{0, 20000, "ITEM"}, {0, 10000, "3"}}, true},
      {"empty", {}, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    COrb orb = MakeOrb(c.texts);
    COrbRecord record;
    orb.m_pRecord = &record;
    EXPECT_EQ(orb.ApplyLoadedConfiguration(), -2);
    const CTableRecord& table = record.m_table;
    EXPECT_TRUE(table.m_bBuilt);
    EXPECT_EQ(table.m_bCountFound, c.countFound);
    EXPECT_TRUE(table.m_headers.empty());
    EXPECT_TRUE(table.m_rowHeights.empty());
    EXPECT_FALSE(table.m_bMark || table.m_bQuantity || table.m_bMaterial);
    ASSERT_EQ(table.m_texts.size(), c.texts.size());
    for (const CTextRecord& text : table.m_texts) {
      EXPECT_EQ(text.m_place, TextPlace::kNoTable);
    }
  }
}

}  // namespace
