// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextUtils.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>

#include <locale.h>

namespace {

constexpr int kGageOffset = 209;
constexpr int kSixteenthsPerInch = 16;

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Truncates toward zero and clamps to the int range; NaN reads as 0.
int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

// Sizes are written with a leading decimal point (".375"): a "." that a
// digit follows belongs to the number, unless the text is a fraction
// (".3/4" and ".1 1/2" read as they always did, without the point).
bool StartsDecimal(const std::string& text, std::string::size_type at) {
  return text[at] == '.' && at + 1 < text.size() && IsDigit(text[at + 1]) &&
         text.find('/', at) == std::string::npos;
}

const char* const kFractionTexts[] = {
    " 1/16 ",  " 1/8 ",  " 3/16 ",  " 1/4 ",  " 5/16 ",
    " 3/8 ",   " 7/16 ", " 1/2 ",   " 9/16 ", " 5/8 ",
    " 11/16 ", " 3/4 ",  " 13/16 ", " 7/8 ",  " 15/16 "};

}  // namespace

std::string& ReplaceText(const std::string& search,
                         const std::string& replacement, std::string& text,
                         int maxCount, bool ignoreCase) {
  if (search.empty()) return text;
  if (!ignoreCase) {
    for (int pass = 0; pass < maxCount; ++pass) {
      const std::string::size_type p = text.find(search);
      if (p == std::string::npos) break;
      text.replace(p, search.size(), replacement);
    }
    return text;
  }
  // Search a folded shadow copy and keep it in step with the text, so that
  // the text itself keeps the case of everything outside the occurrences.
  const std::string foldedSearch = ToLowerAscii(search);
  const std::string foldedReplacement = ToLowerAscii(replacement);
  std::string folded = ToLowerAscii(text);
  for (int pass = 0; pass < maxCount; ++pass) {
    const std::string::size_type p = folded.find(foldedSearch);
    if (p == std::string::npos) break;
    text.replace(p, search.size(), replacement);
    folded.replace(p, search.size(), foldedReplacement);
  }
  return text;
}

std::string SubstituteFractions(const std::string& text,
                                const std::vector<std::string>& slots,
                                bool ignoreCase) {
  const size_t count = std::min(slots.size(), std::size(kFractionTexts));
  // A text without the first letter of any slot holds no slot, so none of
  // the replacements changes it: most cells are left at this test.
  bool starts[256] = {};
  const auto fold = [ignoreCase](char c) {
    return static_cast<unsigned char>(ignoreCase ? LowerAscii(c) : c);
  };
  for (size_t k = 0; k < count; ++k) {
    if (!slots[k].empty()) starts[fold(slots[k][0])] = true;
  }
  if (std::none_of(text.begin(), text.end(),
                   [&](char c) { return starts[fold(c)]; })) {
    return text;
  }
  std::string copy = text;
  for (size_t k = 0; k < count; ++k) {
    ReplaceText(slots[k], kFractionTexts[k], copy, 10, ignoreCase);
  }
  return copy;
}

int ParseInches(std::string text, const std::string& gage) {
  TrimBlanks(text);

  // An empty abbreviation would be found at the start of every text; it
  // switches the gage reading off instead.
  if (!gage.empty()) {
    const std::string::size_type g = text.find(gage);
    if (g != std::string::npos) {
      return SaturateToInt(
          static_cast<int64_t>(AtoiSaturated(text.substr(0, g))) + kGageOffset);
    }
  }

  for (char c : text) {
    if (IsAsciiLetter(c)) return -1;
  }

  // Blanks standing before an inch mark go (all of them, however many).
  std::string squeezed;
  squeezed.reserve(text.size());
  for (char c : text) {
    if (c == '"') {
      while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
    }
    squeezed.push_back(c);
  }
  text.swap(squeezed);

  std::string::size_type first = 0;
  while (first < text.size() && !IsDigit(text[first]) &&
         !StartsDecimal(text, first)) {
    ++first;
  }
  text.erase(0, first);

  for (char& c : text) {
    if (c == '-') c = ' ';
  }

  std::string::size_type s = text.find(' ');
  std::string::size_type f = text.find('/');

  if (f != std::string::npos && text.find(' ', f) != std::string::npos) {
    return -1;
  }
  if (s == std::string::npos && f == std::string::npos) {
    if (text.find('.') != std::string::npos) {
      return TruncateToInt(AtofClassic(text) * kSixteenthsPerInch);
    }
    return SaturateToInt(static_cast<int64_t>(AtoiSaturated(text)) *
                         kSixteenthsPerInch);
  }
  if (f == std::string::npos) return -1;  // a blank but no fraction

  int64_t value = 0;
  if (s != std::string::npos) {
    value = static_cast<int64_t>(AtoiSaturated(text.substr(0, s))) *
            kSixteenthsPerInch;
    text.erase(0, s + 1);
    f = text.find('/');
  }
  const int numerator = AtoiSaturated(text.substr(0, f));
  const int denominator = AtoiSaturated(text.substr(f + 1));
  if (denominator == 0) return -1;
  // Sixteenths come from 32nds rounded half up; a denominator that does not
  // divide 32 is coarsened by the integer division, one above 32 gives 0.
  const int thirtySeconds = 32 / denominator;
  value += RoundHalfUp(static_cast<double>(numerator) * thirtySeconds / 2.0);
  return SaturateToInt(value);
}

int RoundHalfUp(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (value >= kMax) return std::numeric_limits<int>::max();
  if (value <= kMin) return std::numeric_limits<int>::min();
  const double whole = std::floor(value);
  const double tenths = std::floor(value * 10.0);
  // The first decimal digit, taken as a non-negative remainder so that
  // negative values round half up as well (-0.3 gives 0, -0.7 gives -1).
  double digit = std::fmod(tenths, 10.0);
  if (digit < 0) digit += 10.0;
  const double rounded = digit >= 5.0 ? whole + 1.0 : whole;
  return TruncateToInt(rounded);
}

void NumberWordToDigits(std::string& text) {
  static const char* const kWords[] = {"ONE", "TWO",   "THREE", "FOUR", "FIVE",
                                       "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
  for (int i = 0; i < 10; ++i) {
    if (text == kWords[i]) {
      text = std::to_string(i + 1);
      return;
    }
  }
}

bool HasUpperCase(const std::string& text) {
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') return true;
  }
  return false;
}

std::string& TrimTrailingBlanks(std::string& text) {
  const std::string::size_type last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

std::string& TrimBlanks(std::string& text) {
  TrimTrailingBlanks(text);
  const std::string::size_type first = text.find_first_not_of(' ');
  text.erase(0, first == std::string::npos ? text.size() : first);
  return text;
}

int SaturateToInt(int64_t value) {
  if (value > std::numeric_limits<int>::max()) {
    return std::numeric_limits<int>::max();
  }
  if (value < std::numeric_limits<int>::min()) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

int AtoiSaturated(const std::string& text) {
  std::string::size_type i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate past the int range only as far as needed to saturate.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int>::max()} + 1;
  int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  return SaturateToInt(negative ? -magnitude : magnitude);
}

double AtofClassic(const std::string& text) {
  // An immutable handle, created once: the C locale never changes.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
  if (cLocale == locale_t{}) return std::strtod(text.c_str(), nullptr);
  return strtod_l(text.c_str(), nullptr, cLocale);
}

std::string ToUpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string ToLowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}
