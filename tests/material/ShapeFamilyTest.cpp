// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/ShapeFamily.h"

#include <gtest/gtest.h>

#include <string>

#include "MaterialTestSupport.h"

namespace {

TEST(ShapeFamilyTest, ClassifiesWithDefaultCodes) {
  // clang-format off
  struct Case { std::string material; int family; bool fractions = false; } const cases[] = {
      {"W12X26", kFamilyW}, {"WT6X13", kFamilyWT},  // the longer code is tried first
      {"MC8X8.5", kFamilyMC}, {"W 12 X 26", kFamilyW}, {"W12", kFamilyMisc},
      {"w12x26", kFamilyMisc}, {" W12X26", kFamilyMisc}, {"PL1/2X12X24", kFamilyPlates},
      {"PL10GAX12", kFamilyPlates}, {"L4X4", kFamilyMisc}, {"L4X3X3/8", kFamilyAngles},
      {"PIPE", kFamilyMisc}, {"4 PIPE STD", kFamilyPipe}, {"1 ROD", kFamilyRods},
      {"3/4 X 2 W/NUT", kFamilyBolts}, {"MISC PLATE", kFamilyMisc}, {"", kFamilyMisc},
      {"BRACKET", kFamilyMisc},  // "B" matches, "RACKET" is no size
      // "l" stands for 1/2 and "x" for 5/8 when the column has fractions.
      {"PL lX12", kFamilyPlates, true}, {"PL lX12", kFamilyMisc},
      {"PL 1x12", kFamilyMisc, true}, {"PL 1x12", kFamilyPlates}};
  // clang-format on
  const CConfiguration config = DefaultMaterialConfig();
  for (const Case& c : cases) {
    const CKelItem item = MaterialItem(c.material, c.fractions);
    EXPECT_EQ(item.ClassifyMaterial(config), c.family) << c.material;
    EXPECT_EQ(item.m_strMaterial, c.material);
  }
}

TEST(ShapeFamilyTest, LongestCodeFirstAndAFailedSizeRuleLetsOthersTry) {
  auto classify = [](const char* material, const CConfiguration& config) {
    return MaterialItem(material, false).ClassifyMaterial(config);
  };
  CConfiguration config = DefaultMaterialConfig();
  // Tubes come first but need three sizes; pipe takes the rest.
  config.m_materialCodes[kFamilyTubes] = "PIPE";
  EXPECT_EQ(classify("PIPE4X4X1/4", config), kFamilyTubes);
  EXPECT_EQ(classify("PIPE 4 STD", config), kFamilyPipe);
  // A longer code is tried before a shorter one it begins with.
  config.m_materialCodes[kFamilyWT] = "W1";
  EXPECT_EQ(classify("W12X26", config), kFamilyWT);
  // An empty code never matches; a short list reads as empty codes.
  config = DefaultMaterialConfig();
  config.m_materialCodes[kFamilyW].clear();
  config.m_materialCodes.resize(5);
  EXPECT_EQ(classify("W12X26", config), kFamilyMisc);
  EXPECT_EQ(classify("WT6X13", config), kFamilyWT);
}

}  // namespace
