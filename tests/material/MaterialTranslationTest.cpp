// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/MaterialTranslation.h"

#include <gtest/gtest.h>

#include <string>

#include "MaterialTestSupport.h"
#include "material/ShapeFamily.h"

namespace {

TEST(MaterialTranslationTest, ShapesPlatesAnglesTubesRebarAndMm) {
  const std::string galv = "GALVANIZE ALL OVER AFTER FABRICATION";
  // clang-format off
  struct Case { std::string material, remarks; Translation expected; } const cases[] = {
      {"W12X26", "SHOP", {"W", "12.00", "26", "", "SHOP"}},
      {"C10X15.3", "", {"C", "10.00", "15.3"}}, {"W 8 1/4 X 31", "", {"W", "8.25", "31"}},
      {"PL1/2X12", galv, {"PL", "8", "192", "", galv.substr(0, 28)}},
      {"PL 3/8 X 10 1/2", "", {"PL", "6", "168"}}, {"PL10GAX12", "", {"PL", "219", "192"}},
      {"L3X4X1/4", "", {"L", "64", "48", "4"}}, {"L4X3X1/4", "", {"L", "64", "48", "4"}},
      {"TS2X4X1/4", "", {"TS", "32", "64", "4"}},  // only legs swap
      // Sizes written with a leading decimal point.
      {"TS6X6X.375", "", {"TS", "96", "96", "6"}}, {"TS24X14X.313", "", {"TS", "384", "224", "5"}},
      {"L4X4X.375", "", {"L", "64", "64", "6"}}, {"PL.375X12", "", {"PL", "6", "192"}},
      {"PL.5X10.5", "", {"PL", "8", "168"}},
      {"RB #5", "SHOP", {"RB", "10"}}, {"RB %%C5/8", "", {"RB", "10"}},
      {"RB #99999999999", "", {"RB", "2147483647"}},
      {"MM GRATING 25MM X 900MM", "", {"MM", "", "", "", "GRATING 25 X 900MM"}},  // "MM" once more
      {"MM grating panel with banded edges", "",
       {"MM", "", "", "", "GRATING PANEL WITH BANDED EDGE"}},
      {"BENT W12X26", "SHOP", {"MI", "", "", "", "W12X26"}},
      {"BENTPL1/2X12", "SHOP", {"PL", "8", "192", "", "BENT"}},
      {"Bent W12X26", "SHOP", {"MI", "", "", "", "Bent W12X26"}}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Translate(c.material, DefaultMaterialConfig(), c.remarks),
              c.expected)
        << c.material;
  }

  CConfiguration config = DefaultMaterialConfig();
  config.m_bUseHssForTubes = 1;
  config.m_defaultGrades[kFamilyTubes] = "A500";
  CKelItem tube = MaterialItem("TS lXlX12", true);
  tube.TranslateMaterial(config);
  EXPECT_EQ(tube.m_strMatCode, "HSS");
  EXPECT_EQ(tube.m_strDim1 + " " + tube.m_strDim2, "8 8");
  EXPECT_EQ(tube.m_strFamilyGrade, "A500");
}

TEST(MaterialTranslationTest, RemarksField) {
  EXPECT_EQ(AppendRemarks("", "SHOP"), " SHOP" + std::string(24, ' '));
  EXPECT_EQ(AppendRemarks("ABC", "SHOP"), "ABC SHOP" + std::string(21, ' '));
  // Past 28 characters the width turns negative: no cut, no padding.
  const std::string longText(30, 'D');
  EXPECT_EQ(AppendRemarks(longText, "SHOP"), longText + " SHOP");
  // Past it, the width only pads; below it the remarks are cut; either way
  // they end at a NUL.
  EXPECT_EQ(AppendRemarks(longText, "S"), longText + " S ");
  EXPECT_EQ(AppendRemarks(std::string(25, 'D'), "SHOP"), std::string(25, 'D') + " SHO");
  EXPECT_EQ(AppendRemarks("ABC", std::string("SH\0OP", 5)), "ABC SH" + std::string(23, ' '));
}

TEST(MaterialTranslationTest, UnitWeightGradeAndBentRemarks) {
  // clang-format off
  struct Case { std::string quantity, weight, grade, unitWeight, prefix, number; } const cases[] = {
      {"3", "10", "A572-50", "3.33", "A", "572"}, {"", "10", "50", "", "5", "0"},
      {"0", "10", "GR50", "", "G", ""}, {"4", "1234.5", "A36 ", "308.62", "A", "36"},
      {" 2", "5 LBS", "", "2.50", "", ""}};
  // clang-format on
  for (const Case& c : cases) {
    CKelItem item = MaterialItem("BENT W12X26", false);
    item.m_strQuantity = c.quantity, item.m_strWeight = c.weight;
    item.m_strGrade = c.grade, item.m_strRemarks = "SHOP";
    item.TranslateMaterial(DefaultMaterialConfig());
    EXPECT_EQ(item.m_strUnitWeight, c.unitWeight) << c.quantity;
    EXPECT_EQ(item.m_strGradePrefix + "|" + item.m_strGradeNumber,
              c.prefix + "|" + c.number)
        << c.grade;
    EXPECT_EQ(item.m_strMaterial + "|" + item.m_strRemarks, " W12X26|BENT");
  }
}

}  // namespace
