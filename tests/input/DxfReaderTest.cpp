// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "input/DxfReader.h"

namespace {

using Groups = std::vector<std::pair<int, std::string>>;

// A DXF file: an optional header, the blocks and the entities.
std::string Dxf(const Groups& header, const Groups& blocks, const Groups& entities,
                bool withEof = true) {
  std::string out;
  auto put = [&out](const Groups& groups) {
    for (const auto& [code, value] : groups) out += std::to_string(code) + "\r\n" + value + "\r\n";
  };
  put({{0, "SECTION"}, {2, "HEADER"}});
  put(header);
  put({{0, " ENDSEC "}, {0, "SECTION"}, {2, "BLOCKS"}});  // padded, as some write
  put(blocks);
  put({{0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
  put(entities);
  put({{0, "ENDSEC"}});
  if (withEof) put({{0, "EOF"}});
  return out;
}

Groups Text(const std::string& x, const std::string& y, const std::string& text) {
  return {{0, "TEXT"}, {10, x}, {20, y}, {40, "2"}, {1, text}};
}

Groups operator+(Groups a, const Groups& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string Texts(const std::vector<CPlacedText>& texts) {
  std::string out;
  for (const CPlacedText& t : texts) {
    char line[128];
    std::snprintf(line, sizeof line, "(%.3f %.3f)", t.m_x + 0.0, t.m_y + 0.0);
    out += line + t.m_text + " ";
  }
  return out;
}

}  // namespace

TEST(DxfReader, PlacesTextsWhereTheirFirstLineStarts) {
  const Groups mtext = {{0, "MTEXT"}, {10, "10"}, {20, "20"}, {40, "2"}};
  const Groups block = {{0, "BLOCK"}, {2, "B"}, {10, "100"}, {20, "50"}};
  struct Case { std::string name; std::string dxf; std::string expected; } const cases[] = {
      {"TEXT at group 10, not its justification point",
       Dxf({}, {}, Text("1.5", "2.25", "A") + Groups{{72, "2"}, {11, "9"}, {21, "9"}}),
       "(1.500 2.250)A "},
      {"MTEXT top, middle and bottom attachments, one and two lines, turned",
       Dxf({}, {}, mtext + Groups{{71, "1"}, {1, "T"}} + mtext + Groups{{71, "5"}, {1, "M"}} +
                   mtext + Groups{{71, "7"}, {1, "B"}} +
                   mtext + Groups{{71, "7"}, {44, "1"}, {1, "B1\\PB2"}} +
                   mtext + Groups{{71, "1"}, {50, "90"}, {1, "R"}} +
                   mtext + Groups{{71, "1"}, {11, "-1"}, {21, "0"}, {1, "L"}}),
       "(10.000 18.000)T (10.000 19.000)M (10.000 20.000)B (10.000 23.333)B1 B2 "
       "(12.000 20.000)R (10.000 22.000)L "},
      {"a long MTEXT in pieces (group 3); a blank number reads as 0",
       Dxf({}, {}, mtext + Groups{{71, "7"}, {3, "PIECE ONE "}, {3, "AND TWO "}, {1, "LAST"}} +
                   Groups{{0, "MTEXT"}, {10, " "}, {20, "20"}, {40, "2"}, {71, "7"}, {1, "Z"}}),
       "(10.000 20.000)PIECE ONE AND TWO LAST (0.000 20.000)Z "},
      {"attributes: visible ones only; definitions never",
       Dxf({}, {}, Groups{{0, "INSERT"}, {2, "NONE"}, {66, "1"}, {10, "0"}, {20, "0"}} +
                   Groups{{0, "ATTRIB"}, {10, "1"}, {20, "1"}, {1, "SHOWN"}, {2, "T"}, {70, "0"}} +
                   Groups{{0, "ATTRIB"}, {10, "2"}, {20, "2"}, {1, "HIDDEN"}, {2, "T"}, {70, "9"}} +
                   Groups{{0, "SEQEND"}} +
                   Groups{{0, "ATTDEF"}, {10, "3"}, {20, "3"}, {1, "DEF"}, {2, "T"}, {3, "?"}}),
       "(1.000 1.000)SHOWN "},
      {"paper space, in the entities and in a layout block",
       Dxf({}, Groups{{0, "BLOCK"}, {2, "*Paper_Space0"}} + Text("5", "6", "LAYOUT") +
                   Groups{{0, "ENDBLK"}},
           Text("1", "2", "MODEL") + Text("3", "4", "PAPER") + Groups{{67, "1"}}),
       "(5.000 6.000)LAYOUT (1.000 2.000)MODEL (3.000 4.000)PAPER "},
      {"a block through its base point, scale, rotation and a nested block",
       Dxf({}, block + Text("101", "52", "IN") +
                   Groups{{0, "INSERT"}, {2, "C"}, {10, "100"}, {20, "50"}, {41, "3"}} +
                   Groups{{0, "ENDBLK"}, {0, "BLOCK"}, {2, "C"}, {10, "1"}, {20, "1"}} +
                   Text("2", "1", "NESTED") + Groups{{0, "ENDBLK"}},
           Groups{{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "20"}, {41, "2"}, {42, "2"},
                  {50, "90"}}),
       "(6.000 22.000)IN (10.000 26.000)NESTED "},
      {"the copies of an array reference",
       Dxf({}, block + Text("100", "50", "X") + Groups{{0, "ENDBLK"}},
           Groups{{0, "INSERT"}, {2, "B"}, {10, "0"}, {20, "0"}, {70, "2"}, {71, "2"},
                  {44, "10"}, {45, "5"}}),
       "(0.000 0.000)X (10.000 0.000)X (0.000 5.000)X (10.000 5.000)X "},
      {"UTF-8 from release 2007",
       Dxf({{9, "$ACADVER"}, {1, "AC1024"}}, {}, Text("0", "0", "\xC3\x98" "1/2 \\U+00B0")),
       "(0.000 0.000)\xD8" "1/2 \xB0 "},
      {"code page 1252 before release 2007",
       Dxf({{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"}, {3, "ANSI_1252"}}, {},
           Text("0", "0", "\xD8 \x80")),
       "(0.000 0.000)\xD8 ? "},
  };
  for (const Case& c : cases) {
    std::vector<CPlacedText> texts;
    EXPECT_EQ(ReadDxfTexts(c.dxf, texts), "") << c.name;
    EXPECT_EQ(Texts(texts), c.expected) << c.name;
  }
}

// Numbers as dxflib reads them: the positions of texts read without it
// must not move by a bit.
TEST(DxfReader, ReadsNumbersAsDxflibDoes) {
  struct Case { const char* value; double expected; } const cases[] = {
      {"1,5", 1.5}, {" \t2.5", 2.5}, {"3abc", 3}, {"", 0}, {"  ", 0}, {"1e3", 1000},
      {"-.5", -0.5}, {"+7.", 7}, {"1.5.3", 1.5}, {"1e", 0}, {"-", 0}, {".e5", 0},
      {"1e5e3", 1e5}, {"0x1A", 0}, {"inf", 0}, {"1e400", 1.7976931348623157e308},
      {"-1e400", -1.7976931348623157e308}, {"1e-400", 0}, {"100000.0000", 100000},
      {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
      {"9007199254740993", 9007199254740992.0}, {"123456789.123456789", 123456789.12345679},
  };
  for (const Case& c : cases) EXPECT_EQ(DxfReal(c.value), c.expected) << c.value;
}

TEST(DxfReader, TakesTheGroupsOfATextAsDxflibDoes) {
  struct Case { std::string name; Groups entities; std::string expected; } const cases[] = {
      {"the last of repeated groups", Text("1", "2", "A") + Groups{{10, "3"}, {1, "B"}},
       "(3.000 2.000)B "},
      {"missing groups", Groups{{0, "TEXT"}, {20, "2"}}, "(0.000 2.000) "},
      {"a group 9 ends the entity and starts what it names",
       Text("1", "2", "A") + Groups{{9, "TEXT"}, {10, "5"}, {1, "B"}},
       "(1.000 2.000)A (5.000 0.000)B "},
      {"hidden attributes, a group 9 after a reference",
       Groups{{0, "INSERT"}, {2, "NONE"}, {9, "ATTRIB"}, {10, "4"}, {1, "C"}} +
           Groups{{0, "ATTRIB"}, {70, "1"}, {1, "D"}} + Groups{{0, "ATTRIB"}, {70, "1"}, {70, "0"}, {1, "E"}},
       "(4.000 0.000)C (0.000 0.000)E "},
  };
  for (const Case& c : cases) {
    std::vector<CPlacedText> texts;
    EXPECT_EQ(ReadDxfTexts(Dxf({}, {}, c.entities), texts), "") << c.name;
    EXPECT_EQ(Texts(texts), c.expected) << c.name;
  }
}

// dxflib's state outlives a file cut short inside an entity, on the stack,
// unless the reader sets it.
TEST(DxfReader, ReadsAFileAfreshAfterOneCutShort) {
  std::vector<CPlacedText> texts;
  EXPECT_EQ(ReadDxfTexts("0\nSECTION\n2\nENTITIES\n0\nMTEXT\n10\n1\n", texts),
            "it ends before its EOF");
  texts.clear();
  EXPECT_EQ(ReadDxfTexts(Dxf({}, {}, Text("1", "2", "A")), texts), "");
  EXPECT_EQ(Texts(texts), "(1.000 2.000)A ");
}

TEST(DxfReader, RefusesFilesItCannotReadWhole) {
  const Groups self = {{0, "BLOCK"}, {2, "SELF"}, {0, "INSERT"}, {2, "SELF"}, {0, "ENDBLK"}};
  const Groups insert = {{0, "INSERT"}, {2, "SELF"}};
  const std::string sample = TempDir::Read(KELCONV_EXAMPLES "/sample.dxf");
  struct Case { std::string dxf; std::string failure; } const cases[] = {
      {Dxf({}, {}, Text("1", "2", "A"), false), "it ends before its EOF"},
      {sample.substr(0, sample.size() / 2), "it ends before its EOF"},
      {sample.substr(0, sample.size() - 5), "it ends before its EOF"},
      {"0\nSECTION\nX\nHEADER\n", "line 3 holds no group code"},
      {Dxf({}, self, insert), "block references nest more than 16 deep (a block that inserts itself?)"},
      {Dxf({}, {{0, "BLOCK"}, {2, "B"}, {0, "ENDBLK"}},
           {{0, "INSERT"}, {2, "B"}, {70, "30000"}, {71, "30000"}}),
       "it holds more than 5000000 texts or block copies"},
  };
  for (const Case& c : cases) {
    std::vector<CPlacedText> texts;
    EXPECT_EQ(ReadDxfTexts(c.dxf, texts), c.failure);
  }
}
