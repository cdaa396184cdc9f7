// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelRecord.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "items/KelItem.h"
#include "text/TextUtils.h"

namespace {

// The bytes of `text` that printf's "%s" takes: up to the first NUL.
std::string_view AsCString(const std::string& text) {
  return std::string_view(text.c_str());
}

// printf's "%-W.Ws": `text` up to its first NUL, cut to `width` and padded
// with blanks after it.
void AppendLeft(std::string& line, const std::string& text, size_t width) {
  size_t length = std::min(text.size(), width);
  if (const void* nul = std::memchr(text.data(), 0, length)) {
    length = static_cast<size_t>(static_cast<const char*>(nul) - text.data());
  }
  line.append(text.data(), length);
  line.append(width - length, ' ');
}

// printf's "%W.Ws": `text` cut to `width` and padded with blanks before it.
void AppendRight(std::string& line, const std::string& text, size_t width) {
  const std::string_view taken = AsCString(text).substr(0, width);
  line.append(width - taken.size(), ' ');
  line.append(taken);
}

// printf's "%-Wd": the number, padded with blanks to `width`, never cut.
void AppendNumber(std::string& line, int number, size_t width) {
  char digits[16];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, number);
  const size_t length = error == std::errc() ? static_cast<size_t>(end - digits) : 0;
  line.append(digits, length);
  if (length < width) line.append(width - length, ' ');
}

// The cost block of misc and "MM" items, "%-6.6s%1.1s  %-7.7s%-5.5s%-5.5s":
// field hours, shop hours, two blanks, price, mill mark, price units.
std::string HoursCost(const std::string& fieldHours,
                      const std::string& shopHours, const std::string& price,
                      const std::string& millMark,
                      const std::string& priceUnits) {
  std::string cost;
  cost.reserve(26);
  AppendLeft(cost, fieldHours, 6);
  AppendRight(cost, shopHours, 1);
  cost.append("  ");
  AppendLeft(cost, price, 7);
  AppendLeft(cost, millMark, 5);
  AppendLeft(cost, priceUnits, 5);
  return cost;
}

bool StartsWithDigit(const std::string& text) {
  return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

// The weight per piece of a misc item keeps at most two decimals.
void ShortenUnitWeight(std::string& weight) {
  TrimTrailingBlanks(weight);
  size_t dot = weight.find('.');
  if (dot != std::string::npos && weight.size() - dot - 1 > 2) {
    weight.resize(dot + 3);
  }
}

}  // namespace

void CompleteGrade(CKelItem& item) {
  std::string joined = item.m_strGradePrefix + item.m_strGradeNumber;
  if (!TrimTrailingBlanks(joined).empty()) return;
  item.m_strGradePrefix.clear();
  item.m_strGradeNumber = item.m_strFamilyGrade;
  if (!item.m_strGradeNumber.empty() &&
      !StartsWithDigit(item.m_strGradeNumber)) {
    item.m_strGradePrefix = item.m_strGradeNumber.substr(0, 1);
    item.m_strGradeNumber.erase(0, 1);
  }
}

std::string FormatRecord(CKelItem& item) {
  TrimTrailingBlanks(item.m_strDim1);
  TrimTrailingBlanks(item.m_strDim2);
  TrimTrailingBlanks(item.m_strDim3);
  item.m_strLength =
      item.m_nLength != 0 ? std::to_string(item.m_nLength) : std::string();
  TrimBlanks(item.m_strDescription);
  if (item.m_strDescription.empty() && !item.m_strRemarks.empty()) {
    item.m_strDescription = item.m_strRemarks;
  }

  std::string description;
  std::string cost;
  const std::string empty;
  if (item.m_strMatCode == "MI") {
    item.m_strDim1.clear();
    item.m_strDim2.clear();
    item.m_strDim3.clear();
    ShortenUnitWeight(item.m_strUnitWeight);
    AppendLeft(description, item.m_strDescription, 24);
    AppendRight(description, item.m_strUnitWeight, 6);
    cost = HoursCost(item.m_strFieldHours, item.m_strShopHours,
                     item.m_strPrice, item.m_strMillMark,
                     item.m_strPriceUnits);
  } else {
    description = item.m_strDescription;
    if (item.m_strMatCode == "MM") {
      cost = HoursCost(empty, item.m_strShopHours, item.m_strPrice, empty,
                       empty);
    } else {
      AppendLeft(cost, item.m_strFieldHours, 6);
      AppendLeft(cost, item.m_strCamber, 3);
      AppendLeft(cost, item.m_strPrice, 7);
      AppendLeft(cost, item.m_strMillMark, 5);
      AppendLeft(cost, item.m_strPriceUnits, 5);
    }
    // A grade that the remarks repeat (remarks "A36" for grade A 36) is not
    // written twice. Empty remarks repeat nothing, so they never clear the
    // description.
    const std::string& remarks = item.m_strRemarks;
    if (!description.empty() && !item.m_strGradePrefix.empty() &&
        description[0] == item.m_strGradePrefix[0] && !remarks.empty() &&
        remarks.compare(1, std::string::npos, item.m_strGradeNumber) == 0) {
      description.clear();
    }
  }

  if (StartsWithDigit(item.m_strGradePrefix)) {
    item.m_strGradeNumber = item.m_strGradePrefix + item.m_strGradeNumber;
    item.m_strGradePrefix.clear();
  }

  // "%-9.9s%-5d%-2.2s %-6.6s%-6.6s%-6.6s%-5.5s%-1.1s%-4.4s%-30.30s "
  // "%-26.26s%-4.4s%-14.14s%-10.10s"
  std::string line;
  line.reserve(136);
  AppendLeft(line, item.m_strMark, 9);
  AppendNumber(line, AtoiSaturated(item.m_strQuantity), 5);
  AppendLeft(line, item.m_strMatCode, 2);
  line.push_back(' ');
  AppendLeft(line, item.m_strDim1, 6);
  AppendLeft(line, item.m_strDim2, 6);
  AppendLeft(line, item.m_strDim3, 6);
  AppendLeft(line, item.m_strLength, 5);
  AppendLeft(line, item.m_strGradePrefix, 1);
  AppendLeft(line, item.m_strGradeNumber, 4);
  AppendLeft(line, description, 30);
  line.push_back(' ');
  AppendLeft(line, cost, 26);
  AppendLeft(line, item.m_strSequence, 4);
  line.append(14, ' ');
  AppendLeft(line, item.m_strUnitWeight, 10);
  return line;
}
