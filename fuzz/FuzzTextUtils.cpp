// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: ParseInches, SubstituteFractions and ReplaceText, with the
// number helpers they lean on.
//
// Input: a flags byte (bit 0: ReplaceText ignores case, bit 1: fractions
// ignore case), a byte giving ReplaceText's pass count, then NUL-separated
// texts: the text, the search text, the replacement, the gage abbreviation
// and up to 15 fraction strings.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Configuration.h"
#include "text/TextUtils.h"

namespace {

size_t Count(const std::string& text, const std::string& search) {
  size_t count = 0;
  for (size_t at = text.find(search); at != std::string::npos;
       at = text.find(search, at + search.size())) {
    ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const bool ignoreCase = (data[0] & 1u) != 0;
  const int maxCount = data[1];
  std::vector<std::string> texts =
      fuzz::SplitOnNul(fuzz::AsText(data + 2, size - 2));
  texts.resize(std::max<size_t>(texts.size(), 4));
  const std::string& text = texts[0];
  const std::string& search = texts[1];
  const std::string& replacement = texts[2];

  CConfiguration config;
  config.ResetToDefaults();
  config.m_bFractionIgnoreCase = (data[0] & 2u) != 0 ? 1 : 0;
  if (!texts[3].empty()) {
    config.m_materialCodes.resize(kMaterialCodeCount);
    config.m_materialCodes[kCodeGage] = texts[3];
  }
  for (size_t i = 4; i < texts.size() && i - 4 < kFractionCount; ++i) {
    config.m_fractions.resize(kFractionCount);
    config.m_fractions[i - 4] = texts[i];
  }

  ParseInches(text, config);
  const std::string fractions = SubstituteFractions(text, config);
  ParseInches(fractions, config);

  std::string replaced = text;
  ReplaceText(search, replacement, replaced, maxCount, ignoreCase);
  if (search.empty() || maxCount <= 0) {
    FUZZ_CHECK(replaced == text);
  } else if (!ignoreCase && Count(text, search) == 0) {
    FUZZ_CHECK(replaced == text);
  }
  if (search.size() == replacement.size()) {
    FUZZ_CHECK(replaced.size() == text.size());
  }

  std::string words = ToUpperAscii(text);
  NumberWordToDigits(words);
  RoundHalfUp(AtofClassic(text));
  AtoiSaturated(text);
  std::string trimmed = text;
  TrimBlanks(trimmed);
  FUZZ_CHECK(trimmed.empty() ||
             (trimmed.front() != ' ' && trimmed.back() != ' '));
  FUZZ_CHECK(ToLowerAscii(ToUpperAscii(text)) == ToLowerAscii(text));

  config.m_searchFor = {search, texts[3]};
  config.m_replaceWith = {replacement};
  std::string edited = text;
  config.ApplySearchReplace(edited);
  return 0;
}
