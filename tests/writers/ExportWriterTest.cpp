// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/ExportWriter.h"

#include <gtest/gtest.h>

#include "WriterTestSupport.h"

namespace {

TEST(ExportDataLineTest, OneFieldPerColumnType) {
  // clang-format off
  struct Case {
    COrbRow row;
    const char* expected;
    const char* name;
    int matched = -1;  // m_nColumns; -1: every configured column
    std::vector<TestColumn> columns = kTestColumns;
  } const cases[] = {
      {{"B12", "TWO", "W8X31", "12'-6", ""}, "B12~2~W8X31~12'-6~", "empty last field kept"},
      {{" B12 ", "2", "W8X31 ", " 12'-6", "FIELD WELD "}, "B12~2~W8X31~12'-6~FIELD WELD",
       "fields are trimmed"},
      {{"", "", "PIPE  4   STD", "", "NOTE"}, "~~PIPE 4 STD~~NOTE", "no item; pipe keeps its code"},
      {{"R1", "1", "ROD %%C 3/4", "", ""}, "R1~1~R 3/4~~", "diameter deleted, rod code"},
      {{"12'-6l", "PL lX12", "6l"}, "12'-6 1/2~PL 1/2 X12~6l", "fractions where asked for", -1,
       {{"L", kColLengthFtIn, true}, {"D", kColMaterial, true}, {"I", kColLengthInches}}},
      {{"", "W8X31", "3"}, "3~W8X31", "second column of a type: no field, but its cell serves", -1,
       {{"Q1", kColQuantity}, {"D", kColMaterial}, {"Q2", kColQuantity}}},
      {{"junk", "B1"}, "B1", "None columns give no field", -1,
       {{"X", kColNone}, {"M", kColPieceMark}}},
      {{"B12", "2", "W8X31", "12'-6", "SHOP"}, "B12~2", "unmatched columns are left out", 2},
      {{"B12", "2", "W8X31", "", "SHOP", "EXTRA"}, "B12~2~W8X31~~SHOP",
       "more matched headers than configured columns", 6},
      {{"B12", "2"}, "B12~2~~~", "a short row is read as far as it goes"}};
  // clang-format on
  for (const Case& c : cases) {
    COrb orb;
    MakeDocument(orb, c.columns, {c.row});
    if (c.matched >= 0) orb.m_nColumns = c.matched;
    EXPECT_EQ(ExportDataLine(orb, 0), c.expected) << c.name;
    EXPECT_EQ(orb.m_rows[0], c.row) << c.name << ": document changed";
  }
}

TEST(ExportMaterialTest, ConfiguredCodeBecomesTheOutputCode) {
  COrb orb;
  MakeDocument(orb, {}, {});
  orb.m_config.m_materialCodes[9] = "PLT";
  EXPECT_EQ(ExportMaterial(orb.m_config, "PLT1/2X12", false), "PL1/2X12");
}

}  // namespace
