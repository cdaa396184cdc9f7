// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/PipeRodMisc.h"

#include <gtest/gtest.h>

#include <string>

#include "MaterialTestSupport.h"
#include "material/ShapeFamily.h"

namespace {

TEST(PipeRodMiscTest, DefaultConfiguration) {
  // clang-format off
  struct Case { std::string material; Translation expected; } const cases[] = {
      {"PIPE 4 STD", {"P", "64", "1"}}, {"PIPE 4 XSTR", {"P", "64", "2"}},
      {"PIPE 4 DBL.XSTR", {"P", "64", "3"}}, {"PIPE 4", {"P", "64", "1"}},
      {"PIPE 4 SCH 40", {"P", "64", "40"}}, {"PIPE 1 1/2 SCH 80", {"P", "24", "80"}},
      {"PIPE 2 SCH.40", {"P", "32", "40"}}, {"PIPE 2 sch. 40", {"P", "32", "40"}},
      {"PIPE 4 SCH", {"P", "64", "0"}}, {"PIPE XSTR 4", {"P", "64", "2"}},
      {"PIPE 3 X 10", {"P", "48", "1"}}, {"PIPE %%C4\"", {"P", "64", "1"}},
      {"4 pipe std", {"MI", "", "", "", "4 pipe std"}},
      {"ROD %%C3/4", {"R ", "12"}}, {"1 ROD", {"R ", "16"}}, {"ROD 1-1/4", {"R ", "20"}},
      {"ROD", {"R ", "0"}}, {"THREADED ROD  3/4-", {"R ", "12"}},
      {"ROD %%C.3/4 X 12", {"R ", "-1"}}, {"ROD .875", {"R ", "14"}},
      {"ANCHOR %%C3/4 X 12 LONG", {"MI", "", "", "", "ANCHOR 3/4 X 12 LONG"}},
      {"MISC GRATING SUPPORT FRAME WITH LEGS",
       {"MI", "", "", "", "MISC GRATING SUPPORT FRAME WIT"}}};
  // clang-format on
  const CConfiguration config = DefaultMaterialConfig();
  for (const Case& c : cases)
    EXPECT_EQ(Translate(c.material, config), c.expected) << c.material;
}

TEST(PipeRodMiscTest, EmptyIndicators) {
  CConfiguration config = DefaultMaterialConfig();
  // An empty schedule indicator is found in every pipe text.
  config.m_strSchedule.clear();
  EXPECT_EQ(Translate("PIPE 4 XSTR", config).dim2, "4");
  // An empty pipe prefix is found nowhere.
  config = DefaultMaterialConfig();
  config.m_materialCodes[kCodeDoubleExtraHeavyPipe].clear();
  EXPECT_EQ(Translate("PIPE 4 XSTR", config).dim2, "2");
  EXPECT_EQ(Translate("PIPE 4", config).dim2, "1");
  // An empty diameter abbreviation deletes the first ".".
  config.m_strDiameter.clear();
  EXPECT_EQ(Translate("ROD .3/4", config).dim1, "12");
  config.m_strDiameter = "DIA.";
  EXPECT_EQ(Translate("ROD DIA.3/4 DIA", config).dim1, "12");
}

}  // namespace
