// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/MaterialTranslation.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "config/Configuration.h"
#include "items/KelItem.h"
#include "text/TextUtils.h"
#include "material/PipeRodMisc.h"
#include "text/ScopedCLocale.h"
#include "material/ShapeFamily.h"

namespace {

// Width and precision of the remarks field: 28 minus the description's
// length. Kept above INT_MIN, whose magnitude printf could not take as a
// left-justified width.
int RemarksWidth(const std::string& description) {
  const int64_t width = 28 - static_cast<int64_t>(description.size());
  return width <= INT_MIN ? INT_MIN + 1 : static_cast<int>(width);
}

std::string InchesText(const std::string& part, const CConfiguration& config) {
  return std::to_string(ParseInches(part, config));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatUnitWeight(const std::string& quantity,
                             const std::string& weight) {
  const int pieces = AtoiSaturated(quantity);
  if (pieces == 0) return "";
  return FormatFixed(AtofClassic(weight) / pieces, 2);
}

std::string AppendRemarks(const std::string& description,
                          const std::string& remarks) {
  // printf's " %-*.*s" with `width` for both: the remarks up to their
  // first NUL, cut to the width and padded after them; a negative width
  // only pads, to its size.
  const int width = RemarksWidth(description);
  std::string_view taken(remarks.c_str());
  if (width >= 0) taken = taken.substr(0, static_cast<size_t>(width));
  const size_t field = width >= 0 ? static_cast<size_t>(width)
                                  : static_cast<size_t>(-int64_t{width});
  const size_t length = std::max(field, taken.size());
  // Past what an int counts, printf writes nothing.
  if (length >= static_cast<size_t>(INT_MAX)) return description;
  std::string result;
  result.reserve(description.size() + 1 + length);
  result.append(description);
  result.push_back(' ');
  result.append(taken);
  result.append(length - taken.size(), ' ');
  return result;
}

bool CKelItem::IsBent() const {
  return ToUpperAscii(m_strMaterial.substr(0, 4)) == "BENT";
}

void CKelItem::SplitGrade(const std::string& grade, std::string& prefix,
                          std::string& number) {
  if (grade.empty() || !prefix.empty()) return;
  prefix = grade.substr(0, 1);
  std::string trimmed = grade;
  TrimTrailingBlanks(trimmed);
  size_t end = 1;
  while (end < trimmed.size() && IsDigit(trimmed[end])) ++end;
  number = end > 1 ? trimmed.substr(1, end - 1) : std::string();
}

void CKelItem::TranslateMaterial(const CConfiguration& config) {
  m_strUnitWeight = FormatUnitWeight(m_strQuantity, m_strWeight);

  if (IsBent()) {
    ReplaceText("BENT", "", m_strMaterial, 1, false);
    m_strRemarks = "BENT";
  }

  const int family = ClassifyMaterial(config);
  const bool fractions = m_bMaterialFractions != 0;
  const std::string sizeText =
      SizeText(m_strMaterial, config.MaterialCode(family), fractions, config);
  const SizeParts parts = SplitAtX(sizeText);

  m_strFamilyGrade = config.DefaultGrade(family);
  m_strDim1.clear();
  m_strDim2.clear();
  m_strDim3.clear();
  m_strGradePrefix.clear();
  m_strGradeNumber.clear();
  m_strMatCode = kFamilyOutputCodes[family];

  // Round material, bolts and misc items read the whole description.
  const auto fullText = [&]() {
    return fractions ? SubstituteFractions(m_strMaterial, config)
                     : m_strMaterial;
  };

  switch (family) {
    case kFamilyW:
    case kFamilyS:
    case kFamilyM:
    case kFamilyHP:
    case kFamilyWT:
    case kFamilyST:
    case kFamilyMT:
    case kFamilyC:
    case kFamilyMC:
      m_strDim1 = FormatFixed(ParseInches(parts.part1, config) / 16.0, 2);
      m_strDim2 = parts.part2;
      TrimBlanks(m_strDim2);
      m_strDescription = AppendRemarks(m_strDescription, m_strRemarks);
      break;
    case kFamilyPlates:
    case kFamilyCheckeredPlates:
    case kFamilyBars:
      m_strDim1 = InchesText(parts.part1, config);
      m_strDim2 = InchesText(parts.part2, config);
      m_strDescription = AppendRemarks(m_strDescription, m_strRemarks);
      break;
    case kFamilyAngles:
    case kFamilyTubes:
      m_strDim1 = InchesText(parts.part1, config);
      m_strDim2 = InchesText(parts.part2, config);
      m_strDim3 = InchesText(parts.part3, config);
      m_strDescription = AppendRemarks(m_strDescription, m_strRemarks);
      // The longer leg of an angle comes first.
      if (family == kFamilyAngles &&
          AtoiSaturated(m_strDim2) > AtoiSaturated(m_strDim1)) {
        m_strDim1.swap(m_strDim2);
      }
      break;
    case kFamilyRods:
      TranslateRod(fullText(), config);
      break;
    case kFamilyRebar: {
      std::string text = sizeText;
      if (fractions) text = SubstituteFractions(text, config);
      TrimBlanks(text);
      RemoveDiameterAbbreviation(config.m_strDiameter, text);
      const size_t hash = text.find('#');
      if (hash != std::string::npos) {
        // A bar number counts eighths of an inch.
        const int64_t eighths = AtoiSaturated(text.substr(hash + 1));
        const int64_t sixteenths = 2 * eighths;
        const int value = sixteenths > INT_MAX   ? INT_MAX
                          : sixteenths < INT_MIN ? INT_MIN
                                                 : static_cast<int>(sixteenths);
        m_strDim1 = std::to_string(value);
      } else {
        m_strDim1 = InchesText(text, config);
      }
      break;
    }
    case kFamilyPipe:
      TranslatePipe(fullText(), config);
      break;
    case kFamilyBolts:
      TranslateBolt(fullText(), config);
      break;
    case kFamilyMisc:
      TranslateMisc(fullText(), config);
      break;
    case kFamilyMM: {
      m_strMatCode = "MM";
      std::string text = sizeText;
      ReplaceText(config.MaterialCode(kFamilyMM), "", text, 1, false);
      TrimBlanks(text);
      const int precision =
          text.size() < 30 ? static_cast<int>(text.size()) : 30;
      m_strDescription = FormatC("%.*s", precision, text.c_str());
      break;
    }
    default:
      break;
  }

  if (!m_strGrade.empty() && m_strGradeNumber.empty()) {
    SplitGrade(m_strGrade, m_strGradePrefix, m_strGradeNumber);
  }
  TrimBlanks(m_strDescription);
  if (m_strMatCode == "TS" && config.m_bUseHssForTubes != 0) {
    m_strMatCode = "HSS";
  }
}
