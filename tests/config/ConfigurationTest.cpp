// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(ConfigurationTest, ResetSetsDefaultsAndKeepsColumnsPairsAndReserved) {
  CConfiguration c;
  c.m_columns = {{"QTY", "Quantity", false, kColQuantity}};
  c.m_nReserved = 7, c.m_dReserved1 = 2.5, c.m_searchFor = {"A"};
  c.m_replaceWith = {"B"}, c.m_defaultGrades = {"A572", "A992"};
  CConfiguration expected = c;
  c.m_materialCodes = {"WF"}, c.m_fractions = Strings(20, "q");
  c.m_strDiameter = "DIA", c.m_bFractionIgnoreCase = 1, c.m_strLeftRight = "LR";
  c.m_strSchedule = "S", c.m_bDiscardInOutput = 1, c.m_strLeft = "LT";
  c.m_bUseHssForTubes = 1, c.m_strRight = "RT", c.m_strDefaultGrade = "A36";
  // clang-format off
  expected.m_materialCodes = {"W", "S", "M", "HP", "WT", "ST", "MT", "C", "MC", "PL", "CP", "B",
                              "L", "TS", "ROD", "RB", "PIPE", "W/NUT", "MI", "MM", "STD",
                              "XSTR", "DBL.XSTR", "GA"};
  expected.m_fractions = {"a", "d", "f", "g", "h", "j", "k", "l",
                          "z", "x", "c", "v", "b", "n", "m"};
  // clang-format on
  expected.m_strDiameter = "%%C", expected.m_strLeftRight = "L/R";
  expected.m_strSchedule = "SCH";
  expected.m_defaultGrades.resize(kDefaultGradeCount);
  c.ResetToDefaults();
  EXPECT_EQ(c, expected);
}

TEST(ConfigurationTest, ColumnTypeNamesAndListEntries) {
  const Strings names = {
      "None",           "Quantity",        "Material",      "Length(Feet)",
      "Length(Inches)", "Length(Ft + In)", "Major PC Mark", "Minor PC Mark",
      "Piece Mark",     "Grade",           "Remarks",       "Weight",
      "Sequence",       "Camber",          "Mill Mark",     "Price Units",
      "Price",          "Shop Hours",      "Field Hours",   "Labor Code",
      "Drawing Number", "Revision Number", "Finish",        "ABM Number"};
  for (int i = 0; i < kColumnTypeCount; ++i) {
    EXPECT_EQ(kColumnTypeNames[i], names[i]);
    EXPECT_EQ(ColumnTypeFromName(names[i]), i);
  }
  for (const char* unknown : {"quantity", "Quantity ", "", "Length"})
    EXPECT_EQ(ColumnTypeFromName(unknown), kColNone) << unknown;

  // Entries beyond the end of a short list read as "".
  CConfiguration config;
  config.m_materialCodes = {"W", "S"};
  EXPECT_EQ(config.MaterialCode(1), "S");
  for (int index : {2, -1}) EXPECT_EQ(config.MaterialCode(index), "");
  EXPECT_EQ(config.Fraction(14), "");
  EXPECT_EQ(config.DefaultGrade(19), "");
}

}  // namespace
