// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/ShapeFamily.h"

#include <algorithm>
#include <utility>

#include "items/KelItem.h"
#include "text/TextUtils.h"

namespace {

// Where a family's configured code must stand and what the rest must read as.
enum class SizeRule { kTwoSizes, kThreeSizes, kDigit, kNone };

SizeRule SizeRuleOf(int family) {
  if (family <= kFamilyBars) return SizeRule::kTwoSizes;
  if (family <= kFamilyTubes) return SizeRule::kThreeSizes;
  if (family == kFamilyPipe) return SizeRule::kDigit;
  return SizeRule::kNone;
}

bool CodeMayStandAnywhere(int family) {
  return family == kFamilyRods || family == kFamilyPipe ||
         family == kFamilyBolts;
}

bool IsSize(const std::string& part, const CConfiguration& config) {
  return !part.empty() && ParseInches(part, config) != -1;
}

}  // namespace

SizeParts SplitAtX(const std::string& text) {
  SizeParts parts;
  const size_t first = text.find('X');
  if (first == std::string::npos) {
    parts.part1 = text;
    return parts;
  }
  parts.part1 = text.substr(0, first);
  const size_t second = text.find('X', first + 1);
  if (second == std::string::npos) {
    parts.part2 = text.substr(first + 1);
    return parts;
  }
  parts.part2 = text.substr(first + 1, second - first - 1);
  parts.part3 = text.substr(second + 1);
  return parts;
}

std::string SizeText(const std::string& material, const std::string& code,
                     bool fractions, const CConfiguration& config) {
  std::string text = material;
  ReplaceText(code, "", text, 1, false);
  TrimBlanks(text);
  if (fractions) text = SubstituteFractions(text, config);
  return ToUpperAscii(std::move(text));
}

bool CKelItem::FitsFamily(int family, const CConfiguration& config) const {
  if (family < 0 || family >= kFamilyCount) return false;
  const std::string text = SizeText(m_strMaterial, config.MaterialCode(family),
                                    m_bMaterialFractions != 0, config);
  switch (SizeRuleOf(family)) {
    case SizeRule::kTwoSizes: {
      const SizeParts parts = SplitAtX(text);
      return IsSize(parts.part1, config) && IsSize(parts.part2, config);
    }
    case SizeRule::kThreeSizes: {
      const SizeParts parts = SplitAtX(text);
      return IsSize(parts.part1, config) && IsSize(parts.part2, config) &&
             IsSize(parts.part3, config);
    }
    case SizeRule::kDigit:
      return text.find_first_of("0123456789") != std::string::npos;
    case SizeRule::kNone:
      break;
  }
  return true;
}

int CKelItem::ClassifyMaterial(const CConfiguration& config) const {
  const std::string* codes[kFamilyCount];
  size_t longest = 0;
  for (int family = 0; family < kFamilyCount; ++family) {
    codes[family] = &config.MaterialCode(family);
    longest = std::max(longest, codes[family]->size());
  }
  // Longer codes first, so "WT" is tried before "W"; equal lengths by index.
  for (size_t length = longest; length >= 1; --length) {
    for (int family = 0; family < kFamilyCount; ++family) {
      const std::string& code = *codes[family];
      if (code.size() != length) continue;
      const bool present = CodeMayStandAnywhere(family)
                               ? m_strMaterial.find(code) != std::string::npos
                               : m_strMaterial.compare(0, length, code) == 0;
      if (present && FitsFamily(family, config)) return family;
    }
  }
  return kFamilyMisc;
}
