// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Sub-patterns of the bolt descriptions (POSIX extended syntax). The double
// quotes in the size are inch marks.
// A size: mixed number with hyphen or blank, fraction or whole number, each
// with or without an inch mark. One group.
inline constexpr const char* kBoltSizePattern =
    "([0-9]+-[0-9]+/[0-9]+\"|[0-9]+-[0-9]+/[0-9]+|[0-9]+ [0-9]+/[0-9]+\"|"
    "[0-9]+ [0-9]+/[0-9]+|[0-9]+/[0-9]+\"|[0-9]+/[0-9]+|[0-9]+\"|[0-9]+)";
// A designation such as A325, A-490 or A325N. One group.
inline constexpr const char* kBoltGradePattern =
    "([a-zA-Z][0-9]+[a-zA-Z]|[a-zA-Z]-[0-9]+[a-zA-Z]|[a-zA-Z][0-9]+|"
    "[a-zA-Z]-[0-9]+)";
// Washers and nuts behind the bolt. Two groups: the tail, the keyword.
inline constexpr const char* kBoltNutsPattern =
    "(.*(WASHER|NUT|HEXNUT|NC|FW|CW).*)";

inline constexpr int kBoltPatternCount = 6;

// Bolt pattern `number` (1 to 6, most complete form first; "" otherwise), built
// by plain concatenation with `code` (the configured Bolts code) inserted
// unchanged: characters of the code that mean something in a regular expression
// keep their meaning, and groups in the code shift the group numbers.
std::string BoltPattern(int number, const std::string& code);

// What the first matching bolt pattern read from a description.
struct BoltMatch {
  int pattern = 0;          // number of the pattern that matched; 0: none
  std::string diameter;     // text of the diameter group; "" when none
  std::string designation;  // text of the designation group; "" when none
};

// Tries the six bolt patterns on `text` in order and returns what the first
// match gives: the diameter from group 1, the designation from group 3
// (pattern 1) or 2 (patterns 3 and 5), groups counted over the whole
// pattern, code included. A pattern that does not compile counts as not
// matching. The search is unanchored, case-sensitive and byte-wise under
// the C locale's rules whatever the process locale.
BoltMatch MatchBoltDescription(const std::string& text,
                               const std::string& code);
