// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/PipeRodMisc.h"

#include <utility>

#include "config/Configuration.h"
#include "items/KelItem.h"
#include "text/TextUtils.h"
#include "text/ScopedCLocale.h"
#include "material/ShapeFamily.h"

namespace {

bool IsSizeEnd(char c) {
  return (c >= '0' && c <= '9') || c == '"' || c == '\'';
}

std::string DeleteFirst(const std::string& what, std::string text) {
  ReplaceText(what, "", text, 1, false);
  return text;
}

}  // namespace

void RemoveDiameterAbbreviation(const std::string& abbreviation,
                                std::string& text) {
  std::string a = abbreviation;
  const size_t dot = a.find('.');
  if (dot != std::string::npos) a.erase(dot, 1);
  ReplaceText(a + ".", "", text, 1, false);
  ReplaceText(a, "", text, 1, false);
}

bool HasLetter(const std::string& text) {
  for (const char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  }
  return false;
}

int ParseNominalSize(const std::string& text, const CConfiguration& config) {
  std::string kept;
  kept.reserve(text.size());
  size_t start = 0;
  while (start <= text.size()) {
    size_t blank = text.find(' ', start);
    const bool last = blank == std::string::npos;
    if (last) blank = text.size();
    const std::string word = text.substr(start, blank - start);
    if (!HasLetter(word)) {
      kept += word;
      if (!last) kept += ' ';
    }
    if (last) break;
    start = blank + 1;
  }
  TrimBlanks(kept);
  while (kept.size() > 1 && !IsSizeEnd(kept.back())) kept.pop_back();
  return ParseInches(kept, config);
}

bool CKelItem::FindSchedule(std::string& text, const CConfiguration& config,
                            std::string& number) {
  std::string upper = ToUpperAscii(text);
  std::string indicator = config.m_strSchedule;
  const size_t dot = indicator.find('.');
  if (dot != std::string::npos) indicator.erase(dot, 1);

  size_t position = upper.find(indicator + ".");
  size_t length = indicator.size() + 1;
  if (position == std::string::npos) {
    position = upper.find(indicator);
    length = indicator.size();
    if (position == std::string::npos) return false;
  }
  upper.erase(position, length);
  number = std::to_string(AtoiSaturated(upper.substr(position)));

  // Joining the indicator and its number into one word makes the nominal
  // size reading drop both.
  for (size_t i = position + length; i < text.size() && text[i] == ' '; ++i) {
    text[i] = '.';
  }
  return true;
}

bool CKelItem::HasPipePrefix(const std::string& text,
                             const CConfiguration& config, int entry) {
  const std::string& prefix = config.MaterialCode(entry);
  return !prefix.empty() &&
         ToUpperAscii(text).find(prefix) != std::string::npos;
}

void CKelItem::TranslatePipe(const std::string& text,
                             const CConfiguration& config) {
  std::string s = text;
  m_strMatCode = "P";
  m_strDim3.clear();
  ReplaceText(config.MaterialCode(kFamilyPipe), "", s, 1, false);

  if (!FindSchedule(s, config, m_strDim2)) {
    // Heaviest class first: "DBL.XSTR" also holds "XSTR".
    static constexpr struct {
      int entry;
      const char* weightClass;
    } kClasses[] = {{kCodeDoubleExtraHeavyPipe, "3"},
                    {kCodeExtraHeavyPipe, "2"},
                    {kCodeStandardPipe, "1"}};
    m_strDim2 = "1";
    for (const auto& weightClass : kClasses) {
      if (HasPipePrefix(s, config, weightClass.entry)) {
        ReplaceText(config.MaterialCode(weightClass.entry), "", s, 1, false);
        m_strDim2 = weightClass.weightClass;
        break;
      }
    }
  }

  RemoveDiameterAbbreviation(config.m_strDiameter, s);
  s = ToUpperAscii(std::move(s));
  const size_t times = s.find('X');
  if (times != std::string::npos) s.erase(times);
  m_strDim1 = std::to_string(ParseNominalSize(s, config));
}

void CKelItem::TranslateRod(const std::string& text,
                            const CConfiguration& config) {
  m_strMatCode = "R ";
  m_strDim2.clear();
  m_strDim3.clear();
  std::string s = DeleteFirst(config.MaterialCode(kFamilyRods), text);
  RemoveDiameterAbbreviation(config.m_strDiameter, s);
  m_strDim1 = std::to_string(ParseNominalSize(s, config));
}

void CKelItem::TranslateMisc(const std::string& text,
                             const CConfiguration& config) {
  m_strMatCode = "MI";
  m_strDescription = text.substr(0, 30);
  RemoveDiameterAbbreviation(config.m_strDiameter, m_strDescription);
  m_strDim1.clear();
  m_strDim2.clear();
  m_strDim3.clear();
}
