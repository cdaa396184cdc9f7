#include "writers/ExportWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"
#include "WriterTestSupport.h"

namespace {

const std::vector<TestColumn>& kColumns = kTestColumns;

TEST(ExportDataLineTest, OneFieldPerColumnType) {
  struct Case {
    const char* name;
    std::vector<TestColumn> columns;
    COrbRow row;
    int matched;  // m_nColumns; -1: every configured column
    const char* expected;
  };
  // clang-format off
  const Case cases[] = {
      {"empty last field keeps its separator", kColumns,
       {"B12", "TWO", "W8X31", "12'-6", ""}, -1, "B12~2~W8X31~12'-6~"},
      {"fields are trimmed", kColumns,
       {" B12 ", "2", "W8X31 ", " 12'-6", "FIELD WELD "}, -1,
       "B12~2~W8X31~12'-6~FIELD WELD"},
      {"a row that is no item; pipe keeps its code", kColumns,
       {"", "", "PIPE  4   STD", "", "NOTE"}, -1, "~~PIPE 4 STD~~NOTE"},
      {"diameter deleted, blanks collapsed, rod code", kColumns,
       {"R1", "1", "ROD %%C 3/4", "", ""}, -1, "R1~1~R 3/4~~"},
      {"fractions where the column asks for them",
       {{"L", kColLengthFtIn, true}, {"D", kColMaterial, true},
        {"I", kColLengthInches}},
       {"12'-6l", "PL lX12", "6l"}, -1, "12'-6 1/2~PL 1/2 X12~6l"},
      {"second column of a type: no field, but its cell may serve",
       {{"Q1", kColQuantity}, {"D", kColMaterial}, {"Q2", kColQuantity}},
       {"", "W8X31", "3"}, -1, "3~W8X31"},
      {"None columns give no field", {{"X", kColNone}, {"M", kColPieceMark}},
       {"junk", "B1"}, -1, "B1"},
      {"unmatched columns are left out", kColumns,
       {"B12", "2", "W8X31", "12'-6", "SHOP"}, 2, "B12~2"},
      {"more matched headers than configured columns", kColumns,
       {"B12", "2", "W8X31", "", "SHOP", "EXTRA"}, 6, "B12~2~W8X31~~SHOP"},
      {"a short row is read as far as it goes", kColumns, {"B12", "2"}, -1,
       "B12~2~~~"},
  };
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

TEST(WriteExportFileTest, HeadersAndOpenModes) {
  const std::string header = "MARK~QTY~DESCRIPTION~LENGTH~REMARKS~";
  const std::string row = "B12~2~W8X31~12'-6~\r\n";
  struct Case {
    bool exists;
    int mode, headerOption, fileIndex, result;
    std::string expected;  // "-": no file
  };
  const Case cases[] = {
      {true, kOpenCreateWrite, 0, 0, 0, row},
      {false, kOpenCreateWrite, 1, 0, 0, header + "\r\n" + row},
      {true, kOpenWriteNoTruncate, 1, 1, 0, "old\r\n" + row},
      {true, kOpenWriteNoTruncate, 2, 1, 0,
       "old\r\n" + header + "in.orb\r\n" + row},
      {false, kOpenWriteNoTruncate, 0, 0, -1, "-"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string path = dir.Path("out.txt");
    if (c.exists) dir.Write("out.txt", "old\r\n");
    COrb orb;
    MakeDocument(orb, kColumns, {{"B12", "TWO", "W8X31", "12'-6", ""}});
    orb.m_strFileName = "in.orb";
    EXPECT_EQ(orb.WriteExportFile(path, c.mode, c.headerOption, c.fileIndex),
              c.result);
    if (c.expected == "-") {
      EXPECT_FALSE(std::filesystem::exists(path));
    } else {
      EXPECT_EQ(TempDir::Read(path), c.expected);
    }
  }
}

}  // namespace
