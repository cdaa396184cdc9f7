// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelRecord.h"

#include <cstdarg>
#include <cstdio>

#include "items/KelItem.h"
#include "text/TextUtils.h"

namespace {

// Only %s, %d and %c conversions are used, so the result does not depend on
// the process locale.
__attribute__((format(printf, 1, 2))) std::string Format(const char* format,
                                                         ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  int n = vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof buffer) {
    return std::string(buffer, static_cast<size_t>(n));
  }
  std::string big(static_cast<size_t>(n) + 1, '\0');
  va_start(args, format);
  vsnprintf(big.data(), big.size(), format, args);
  va_end(args);
  big.resize(static_cast<size_t>(n));
  return big;
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
      item.m_nLength != 0 ? Format("%d", item.m_nLength) : std::string();
  TrimBlanks(item.m_strDescription);
  if (item.m_strDescription.empty() && !item.m_strRemarks.empty()) {
    item.m_strDescription = item.m_strRemarks;
  }

  std::string description = item.m_strDescription;
  std::string cost;
  if (item.m_strMatCode == "MI") {
    item.m_strDim1.clear();
    item.m_strDim2.clear();
    item.m_strDim3.clear();
    ShortenUnitWeight(item.m_strUnitWeight);
    description = Format("%-24.24s%6.6s", item.m_strDescription.c_str(),
                         item.m_strUnitWeight.c_str());
    cost =
        Format("%-6.6s%1.1s  %-7.7s%-5.5s%-5.5s", item.m_strFieldHours.c_str(),
               item.m_strShopHours.c_str(), item.m_strPrice.c_str(),
               item.m_strMillMark.c_str(), item.m_strPriceUnits.c_str());
  } else {
    if (item.m_strMatCode == "MM") {
      cost =
          Format("%-6.6s%1.1s  %-7.7s%-5.5s%-5.5s", "",
                 item.m_strShopHours.c_str(), item.m_strPrice.c_str(), "", "");
    } else {
      cost =
          Format("%-6.6s%-3.3s%-7.7s%-5.5s%-5.5s", item.m_strFieldHours.c_str(),
                 item.m_strCamber.c_str(), item.m_strPrice.c_str(),
                 item.m_strMillMark.c_str(), item.m_strPriceUnits.c_str());
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

  return Format(
      "%-9.9s%-5d%-2.2s %-6.6s%-6.6s%-6.6s%-5.5s%-1.1s%-4.4s%-30.30s "
      "%-26.26s%-4.4s%-14.14s%-10.10s",
      item.m_strMark.c_str(), AtoiSaturated(item.m_strQuantity),
      item.m_strMatCode.c_str(), item.m_strDim1.c_str(), item.m_strDim2.c_str(),
      item.m_strDim3.c_str(), item.m_strLength.c_str(),
      item.m_strGradePrefix.c_str(), item.m_strGradeNumber.c_str(),
      description.c_str(), cost.c_str(), item.m_strSequence.c_str(), "",
      item.m_strUnitWeight.c_str());
}
