// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Replaces occurrences of `search` in `text` by `replacement`, in place, and
// returns `text`. Makes `maxCount` passes, each searching from the start of
// the current text, so a replacement that holds the search text is found
// again. `ignoreCase` folds ASCII letters for the search only; characters
// outside the occurrences keep their case. An empty `search` changes nothing.
std::string& ReplaceText(const std::string& search,
                         const std::string& replacement, std::string& text,
                         int maxCount, bool ignoreCase);

// Returns a copy of `text` in which each fraction string of `slots` (slot 0
// stands for 1/16, slot 14 for 15/16; slots beyond the end of a short list
// and empty ones are skipped) has been replaced (at most 10 times) by
// " 1/16 ", " 1/8 ", ... " 15/16 ", slots in ascending order.
// config/Configuration.h has the form that takes a configuration.
std::string SubstituteFractions(const std::string& text,
                                const std::vector<std::string>& slots,
                                bool ignoreCase);

// Reads an inch dimension into sixteenths of an inch ("6 1/2" gives 104,
// ".875" gives 14: a leading decimal point belongs to the number), a
// gage ("10GA" gives 10 + 209, with `gageAbbreviation` "GA"; an empty one
// switches the gage reading off) or -1 for a text it does not understand.
// config/Configuration.h has the form that takes a configuration.
int ParseInches(std::string text, const std::string& gageAbbreviation);

// floor(x), plus 1 when the first decimal digit of x is 5 or more.
int RoundHalfUp(double value);

// "ONE" .. "TEN" (the whole text, upper case) become "1" .. "10".
void NumberWordToDigits(std::string& text);

// True when the text holds an upper-case ASCII letter.
bool HasUpperCase(const std::string& text);

// Remove blanks (code 32 only) from the end / from both ends; return `text`.
std::string& TrimTrailingBlanks(std::string& text);
std::string& TrimBlanks(std::string& text);

// The integer reading of a text as the C library's atoi does it (leading
// white space, optional sign, digits), saturated to the 32-bit range instead
// of overflowing; 0 when there are no digits.
int AtoiSaturated(const std::string& text);

// `value` clamped to the range of int.
int SaturateToInt(int64_t value);

// The decimal reading of a text as the C library's atof does it, always with
// the C locale's decimal point.
double AtofClassic(const std::string& text);

// ASCII-only case folding.
std::string ToUpperAscii(std::string text);
std::string ToLowerAscii(std::string text);
