#include "material/ShapeFamily.h"

#include <gtest/gtest.h>

#include <string>

#include "MaterialTestSupport.h"

namespace {

TEST(ShapeFamilyTest, ClassifiesWithDefaultCodes) {
  struct Case {
    std::string material;
    bool fractions;
    int family;
  };
  const Case cases[] = {
      {"W12X26", false, kFamilyW},
      {"WT6X13", false, kFamilyWT},  // the longer code is tried first
      {"MC8X8.5", false, kFamilyMC},
      {"W 12 X 26", false, kFamilyW},
      {"W12", false, kFamilyMisc},
      {"w12x26", false, kFamilyMisc},
      {" W12X26", false, kFamilyMisc},
      {"PL1/2X12X24", false, kFamilyPlates},
      {"PL10GAX12", false, kFamilyPlates},
      {"L4X4", false, kFamilyMisc},
      {"L4X3X3/8", false, kFamilyAngles},
      {"PIPE", false, kFamilyMisc},
      {"4 PIPE STD", false, kFamilyPipe},
      {"1 ROD", false, kFamilyRods},
      {"3/4 X 2 W/NUT", false, kFamilyBolts},
      {"MISC PLATE", false, kFamilyMisc},
      {"BRACKET", false, kFamilyMisc},  // "B" matches, "RACKET" is no size
      {"", false, kFamilyMisc},
      // "l" stands for 1/2 and "x" for 5/8 when the column has fractions.
      {"PL lX12", true, kFamilyPlates},
      {"PL lX12", false, kFamilyMisc},
      {"PL 1x12", true, kFamilyMisc},
      {"PL 1x12", false, kFamilyPlates},
  };
  const CConfiguration config = DefaultMaterialConfig();
  for (const Case& c : cases) {
    const CKelItem item = MaterialItem(c.material, c.fractions);
    EXPECT_EQ(item.ClassifyMaterial(config), c.family) << c.material;
    EXPECT_EQ(item.m_strMaterial, c.material);
  }
}

TEST(ShapeFamilyTest, FailedSizeRuleLetsOtherCodesTry) {
  CConfiguration config = DefaultMaterialConfig();
  // Tubes come first but need three sizes; pipe takes the rest.
  config.m_materialCodes[kFamilyTubes] = "PIPE";
  EXPECT_EQ(MaterialItem("PIPE4X4X1/4", false).ClassifyMaterial(config),
            kFamilyTubes);
  EXPECT_EQ(MaterialItem("PIPE 4 STD", false).ClassifyMaterial(config),
            kFamilyPipe);
  // An empty code never matches; a short list reads as empty codes.
  config = DefaultMaterialConfig();
  config.m_materialCodes[kFamilyW].clear();
  config.m_materialCodes.resize(5);
  EXPECT_EQ(MaterialItem("W12X26", false).ClassifyMaterial(config),
            kFamilyMisc);
  EXPECT_EQ(MaterialItem("WT6X13", false).ClassifyMaterial(config), kFamilyWT);
}

}  // namespace
