// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/Bolts.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "MaterialTestSupport.h"
#include "material/PipeRodMisc.h"
#include "material/ShapeFamily.h"

namespace {

struct BoltCase {
  std::string material;
  int pattern;  // 0: no pattern matches
  std::string dim1, grade;
};

void ExpectBolt(const BoltCase& c, const CConfiguration& config) {
  std::string text = c.material;
  RemoveDiameterAbbreviation(config.m_strDiameter, text);
  EXPECT_EQ(
      MatchBoltDescription(text, config.MaterialCode(kFamilyBolts)).pattern,
      c.pattern)
      << c.material;
  CKelItem item = MaterialItem(c.material, false);
  item.TranslateBolt(c.material, config);
  EXPECT_EQ(item.m_strDim1 + " " + item.m_strGradePrefix + "|" +
                item.m_strGradeNumber,
            c.dim1 + " " + c.grade)
      << c.material;
}

TEST(BoltsTest, DefaultCode) {
  // clang-format off
  const BoltCase cases[] = {
      {"W/NUT 3/4 X 2 A325", 1, "12", "A|325"}, {"W/NUT 3/4 X 2-1/2 A-325N", 1, "12", "A|325"},
      {"W/NUT 3/4\" X 2-1/2\" A-325N", 1, "12", "A|325"}, {"W/NUT 1 X 3", 2, "16", "|"},
      {"W/NUT  3/4  x  2", 2, "12", "|"}, {"W/NUT 7/8 A490 HEXNUT", 3, "14", "A|490"},
      {"W/NUT 3/4 WASHER A325", 4, "12", "|"}, {"W/NUT 1-1/8 A490", 5, "18", "A|490"},
      {"W/NUT %%C3/4", 6, "12", "|"}, {"W/NUT 1 1/4", 6, "20", "|"},
      {"3/4 X 2 W/NUT A325", 0, "0", "|"}, {"w/nut 3/4", 0, "0", "|"}};
  // clang-format on
  const CConfiguration config = DefaultMaterialConfig();
  for (const BoltCase& c : cases) ExpectBolt(c, config);

  // Through the translation: the text's designation wins over the Grade
  // column, which fills in when the text has none.
  for (const char* material : {"W/NUT 3/4 X 2 A325", "3/4 X 2 W/NUT A325"}) {
    CKelItem bolt = MaterialItem(material, false);
    bolt.m_strGrade = "A490", bolt.m_strRemarks = "FIELD";
    bolt.TranslateMaterial(config);
    EXPECT_EQ(bolt.m_strMatCode + "|" + bolt.m_strDescription, "SB|");
    EXPECT_EQ(bolt.m_strGradeNumber, bolt.m_strDim1 == "12" ? "325" : "490");
  }
  EXPECT_EQ(Translate("w/nut 3/4", config).matCode, "MI");
}

TEST(BoltsTest, CodesWithRegexCharacters) {
  CConfiguration config = DefaultMaterialConfig();
  // The code's group becomes group 1: the diameter reads "S", the
  // designation is the length.
  config.m_materialCodes[kFamilyBolts] = "W/NUT(S)";
  ExpectBolt({"W/NUTS 3/4 X 2 A325", 1, "0", "2|"}, config);
  ExpectBolt({"W/NUT(S) 3/4", 0, "0", "|"}, config);
  // A code that does not compile matches nothing.
  config.m_materialCodes[kFamilyBolts] = "W/NUT(";
  ExpectBolt({"W/NUT( 3/4 X 2 A325", 0, "0", "|"}, config);
  EXPECT_EQ(Translate("W/NUT( 3/4 X 2 A325", config).matCode, "SB");
  config.m_materialCodes[kFamilyBolts] = "B.";
  ExpectBolt({"BT 3/4", 6, "12", "|"}, config);
}

TEST(BoltsTest, BytesAboveAsciiUnderAUtf8Locale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  const char* utf8 = nullptr;
  for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
    if ((utf8 = std::setlocale(LC_ALL, name)) != nullptr) break;
  }
  if (utf8 == nullptr) GTEST_SKIP() << "no UTF-8 locale installed";

  // Byte-wise, ".*" runs over the byte 0xE9 and the washer pattern takes the
  // first bolt; a multibyte reading would stop there and read the second.
  const std::string text = "W/NUT 1 \xE9NUT W/NUT 3/4 A325";
  const BoltMatch match = MatchBoltDescription(text, "W/NUT");
  CKelItem item = MaterialItem(text, false);
  item.TranslateMaterial(DefaultMaterialConfig());
  const bool callerLocaleBack = MB_CUR_MAX > 1;
  std::setlocale(LC_ALL, saved.c_str());

  EXPECT_EQ(match.pattern, 4);
  EXPECT_EQ(item.m_strDim1 + "|" + item.m_strGradePrefix, "16|");
  EXPECT_TRUE(callerLocaleBack);
}

}  // namespace
