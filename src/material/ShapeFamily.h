// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "config/Configuration.h"

// The twenty material families, in the order of the configuration's family
// entries (m_materialCodes 0 to 19, m_defaultGrades 0 to 19).
enum ShapeFamily : int {
  kFamilyW = 0,
  kFamilyS = 1,
  kFamilyM = 2,
  kFamilyHP = 3,
  kFamilyWT = 4,
  kFamilyST = 5,
  kFamilyMT = 6,
  kFamilyC = 7,
  kFamilyMC = 8,
  kFamilyPlates = 9,
  kFamilyCheckeredPlates = 10,
  kFamilyBars = 11,
  kFamilyAngles = 12,
  kFamilyTubes = 13,
  kFamilyRods = 14,
  kFamilyRebar = 15,
  kFamilyPipe = 16,
  kFamilyBolts = 17,
  kFamilyMisc = 18,
  kFamilyMM = 19,
};

// Fixed output material code of each family, whatever code the drawings use.
// The translation writes Rods as "R " and may turn Tubes into "HSS"; this
// table holds the plain codes.
inline constexpr const char* kFamilyOutputCodes[kFamilyCount] = {
    "W",  "S", "M", "HP", "WT", "ST", "MT", "C",  "MC", "PL",
    "CP", "B", "L", "TS", "R",  "RB", "P",  "SB", "MI", "MM"};

// A size text cut at the letter "X": part1 before the first X, part2 between
// the first and the second, part3 everything after the second (further X
// included). Missing parts are empty.
struct SizeParts {
  std::string part1;
  std::string part2;
  std::string part3;
};

// Cuts `text` at upper-case "X" only; callers upper-case the text first.
SizeParts SplitAtX(const std::string& text);

// The text that both the classification and the translation read sizes
// from: `material` without the first occurrence of `code`, trimmed, through
// the fraction substitution when `fractions` is set, upper-cased.
std::string SizeText(const std::string& material, const std::string& code,
                     bool fractions, const CConfiguration& config);
