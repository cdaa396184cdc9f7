#include "config/Configuration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

TEST(ConfigurationTest, ResetSetsDefaultsAndKeepsColumnsPairsAndReserved) {
  CConfiguration config;
  config.m_columns.push_back({"QTY", "Quantity", false, kColQuantity});
  config.m_nReserved = 7;
  config.m_dReserved1 = 2.5;
  config.m_materialCodes = {"WF"};
  config.m_fractions = Strings(20, "q");
  config.m_strDiameter = "DIA";
  config.m_bFractionIgnoreCase = 1;
  config.m_strLeftRight = "LR";
  config.m_strSchedule = "S";
  config.m_bDiscardInOutput = 1;
  config.m_strLeft = "LT";
  config.m_searchFor = {"A"};
  config.m_replaceWith = {"B"};
  config.m_bUseHssForTubes = 1;
  config.m_strRight = "RT";
  config.m_defaultGrades = {"A572", "A992"};
  config.m_strDefaultGrade = "A36";

  CConfiguration expected = config;
  expected.m_materialCodes = {"W",  "S",  "M",   "HP",   "WT",       "ST",
                              "MT", "C",  "MC",  "PL",   "CP",       "B",
                              "L",  "TS", "ROD", "RB",   "PIPE",     "W/NUT",
                              "MI", "MM", "STD", "XSTR", "DBL.XSTR", "GA"};
  expected.m_fractions = {"a", "d", "f", "g", "h", "j", "k", "l",
                          "z", "x", "c", "v", "b", "n", "m"};
  expected.m_strDiameter = "%%C";
  expected.m_bFractionIgnoreCase = 0;
  expected.m_strLeftRight = "L/R";
  expected.m_strSchedule = "SCH";
  expected.m_bDiscardInOutput = 0;
  expected.m_strLeft = "";
  expected.m_bUseHssForTubes = 0;
  expected.m_strRight = "";
  expected.m_defaultGrades.resize(kDefaultGradeCount);
  expected.m_strDefaultGrade = "";

  config.ResetToDefaults();
  EXPECT_EQ(config, expected);
}

TEST(ConfigurationTest, ColumnTypeNamesMatchExactly) {
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
  for (const char* unknown : {"quantity", "Quantity ", "", "Length"}) {
    EXPECT_EQ(ColumnTypeFromName(unknown), kColNone) << unknown;
  }
}

TEST(ConfigurationTest, ListEntriesBeyondTheEndAreEmpty) {
  CConfiguration config;
  config.m_materialCodes = {"W", "S"};
  EXPECT_EQ(config.MaterialCode(1), "S");
  EXPECT_EQ(config.MaterialCode(2), "");
  EXPECT_EQ(config.MaterialCode(-1), "");
  EXPECT_EQ(config.Fraction(14), "");
  EXPECT_EQ(config.DefaultGrade(19), "");
}

}  // namespace
