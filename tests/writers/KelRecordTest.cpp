// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelRecord.h"

#include <gtest/gtest.h>

#include <functional>

#include "WriterTestSupport.h"
#include "items/KelItem.h"

namespace {

TEST(FormatRecordTest, LinesAreLaidOutColumnByColumn) {
  // clang-format off
  struct Case { const char* name; std::function<void(CKelItem&)> fill; std::string expected; };
  const Case cases[] = {
      {"ordinary item",
       [](CKelItem& r) {
         r.m_strMark = "B12", r.m_strQuantity = "00012", r.m_strMatCode = "W";
         r.m_strDim1 = "12.00  ", r.m_strDim2 = "26", r.m_nLength = 1920, r.m_strCamber = "C";
         r.m_strGradePrefix = "A", r.m_strGradeNumber = "36", r.m_strDescription = " SHOP ";
         r.m_strFieldHours = "1.5", r.m_strPrice = "12.50", r.m_strMillMark = "M1";
         r.m_strPriceUnits = "CWT", r.m_strShopHours = "9", r.m_strSequence = "7";
         r.m_strUnitWeight = "26.00";
       },
       At(130, {{1, "B12"}, {10, "12"}, {15, "W"}, {18, "12.00"}, {24, "26"}, {36, "1920"},
                {41, "A"}, {42, "36"}, {46, "SHOP"}, {77, "1.5"}, {83, "C"}, {86, "12.50"},
                {93, "M1"}, {98, "CWT"}, {103, "7"}, {121, "26.00"}})},
      {"long texts are cut",
       [](CKelItem& r) {
         r.m_strMark = "ABCDEFGHIJKL", r.m_strQuantity = "1", r.m_strMatCode = "PLT";
         r.m_strDim1 = "1234567", r.m_nLength = -12345, r.m_strGradePrefix = "GR";
         r.m_strGradeNumber = "A572-50", r.m_strDescription = std::string(29, 'd') + "EF";
         r.m_strSequence = "SEQ-12", r.m_strUnitWeight = "12345678901";
       },
       At(130, {{1, "ABCDEFGHI"}, {10, "1"}, {15, "PL"}, {18, "123456"}, {36, "-1234"},
                {41, "G"}, {42, "A572"}, {46, std::string(29, 'd') + "E"}, {103, "SEQ-"},
                {121, "1234567890"}})},
      {"quantity of 100000 shifts the later fields",
       [](CKelItem& r) {
         r.m_strQuantity = "123456", r.m_strMatCode = "PL", r.m_strDim1 = "8";
         r.m_strUnitWeight = "1.5";
       },
       At(131, {{10, "123456"}, {16, "PL"}, {19, "8"}, {122, "1.5"}})},
      {"misc item",
       [](CKelItem& r) {
         r.m_strQuantity = "2", r.m_strMatCode = "MI", r.m_strDim1 = "8", r.m_strCamber = "C";
         r.m_strDescription = "GRATING CLIP WITH A LONG NAME", r.m_strFieldHours = "2";
         r.m_strShopHours = "34", r.m_strPrice = "5", r.m_strUnitWeight = "12.345";
       },
       At(130, {{10, "2"}, {15, "MI"}, {46, "GRATING CLIP WITH A LONG"}, {71, "12.34"}, {77, "2"},
                {83, "3"}, {86, "5"}, {121, "12.34"}})},
      {"misc item with a weight of one decimal",
       [](CKelItem& r) { r.m_strQuantity = "1", r.m_strMatCode = "MI", r.m_strUnitWeight = "7.5"; },
       At(130, {{10, "1"}, {15, "MI"}, {73, "7.5"}, {121, "7.5"}})},
      {"MM item",
       [](CKelItem& r) {
         r.m_strQuantity = "1", r.m_strMatCode = "MM", r.m_strFieldHours = "2";
         r.m_strShopHours = "4", r.m_strPrice = "99", r.m_strMillMark = "X";
         r.m_strRemarks = "PANEL";
       },
       At(130, {{10, "1"}, {15, "MM"}, {46, "PANEL"}, {83, "4"}, {86, "99"}})},
      {"remarks repeating the grade clear the description",
       [](CKelItem& r) {
         r.m_strQuantity = "1", r.m_strMatCode = "L", r.m_strRemarks = "A36";
         r.m_strGradePrefix = "A", r.m_strGradeNumber = "36";
       },
       At(130, {{10, "1"}, {15, "L"}, {41, "A"}, {42, "36"}})},
      {"empty remarks never clear it; digit prefix joins the number",
       [](CKelItem& r) {
         r.m_strQuantity = "1", r.m_strMatCode = "MM", r.m_strGradePrefix = "5";
         r.m_strDescription = "5 SEATS";
       },
       At(130, {{10, "1"}, {15, "MM"}, {42, "5"}, {46, "5 SEATS"}})}};
  // clang-format on
  for (const Case& c : cases) {
    CKelItem item;
    c.fill(item);
    EXPECT_EQ(FormatRecord(item), c.expected) << c.name;
  }
}

TEST(CompleteGradeTest, FamilyGradeFillsAnEmptyGrade) {
  // clang-format off
  struct Case { const char *prefix, *number, *family, *expected; } const cases[] = {
      {"", "", "A36", "A|36"}, {"", "", "50", "|50"}, {"  ", "", "GR50", "G|R50"},
      {"", "", "", "|"}, {"A", "572", "A36", "A|572"}};
  // clang-format on
  for (const Case& c : cases) {
    CKelItem item;
    item.m_strGradePrefix = c.prefix, item.m_strGradeNumber = c.number;
    item.m_strFamilyGrade = c.family;
    CompleteGrade(item);
    EXPECT_EQ(item.m_strGradePrefix + "|" + item.m_strGradeNumber, c.expected);
  }
}

}  // namespace
