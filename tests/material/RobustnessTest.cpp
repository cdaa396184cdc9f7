// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MaterialTestSupport.h"
#include "material/Bolts.h"
#include "material/ShapeFamily.h"

namespace {

std::vector<std::string> HostileTexts() {
  std::string highBytes;
  for (int i = 0; i < 2000; ++i) {
    highBytes += static_cast<char>(128 + i % 128);
    highBytes += "X1/ ";
  }
  // clang-format off
  return {"", std::string(10000, 'X'), std::string(10000, '9'), std::string(10000, ' '),
          std::string(5000, '#') + std::string(5000, '9'), highBytes, "1/0X1/0X1/0",
          "99999999999999999999X99999999999999999999X1e999", "SCH SCH. . \" ' - #"};
  // clang-format on
}

// Every family's code in front of, and behind, each hostile text, with the
// default configuration and with every optional indicator emptied.
TEST(RobustnessTest, EveryFamilyTakesHostileDescriptions) {
  CConfiguration emptied = DefaultMaterialConfig();
  emptied.m_strSchedule.clear();
  emptied.m_strDiameter.clear();
  for (int entry = kFamilyCount; entry < kMaterialCodeCount; ++entry)
    emptied.m_materialCodes[entry].clear();
  for (const CConfiguration& config : {DefaultMaterialConfig(), emptied}) {
    for (int family = 0; family < kFamilyCount; ++family) {
      const std::string code = config.MaterialCode(family);
      for (const std::string& hostile : HostileTexts()) {
        for (const std::string& material :
             {code + " " + hostile, code + hostile, hostile + code}) {
          for (const bool fractions : {false, true}) {
            CKelItem item = MaterialItem(material, fractions);
            item.m_strQuantity = item.m_strWeight = item.m_strRemarks =
                item.m_strGrade = hostile;
            item.TranslateMaterial(config);
            EXPECT_FALSE(item.m_strMatCode.empty()) << family;
          }
        }
      }
    }
  }
  // Codes that match at every position make the regular-expression search
  // quadratic, so they get shorter texts.
  for (const char* code : {"", " ", "(", "(.*)*", "W/NUT(S)"}) {
    for (const std::string& hostile : HostileTexts())
      MatchBoltDescription("W/NUT " + hostile.substr(0, 1000), code);
  }
}

}  // namespace
