// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CKelItem;

// Completes the grade of a translated item: when the prefix and number
// together are blank, the family's default grade is used, split into a
// leading non-digit letter (the prefix) and the rest (the number). So a
// default A36 gives prefix "A" and number "36", a default 50 gives an empty
// prefix and number "50". A grade already present is left alone.
void CompleteGrade(CKelItem& item);

// Builds the fixed-width KEL line of a translated item (CompleteGrade having
// been applied), without its trailing-blank trimming and without CR LF:
//   cols   1-9   mark          10-14  quantity (%-5d: never cut, so a
//   quantity of 100000 or more shifts every later field right)
//   cols  15-16  material code 18-35  three size fields of 6
//   cols  36-40  length in sixteenths (blank when 0)
//   cols  41-45  grade prefix (1) and number (4)
//   cols  46-75  description block    77-102 cost block
//   cols 103-106 sequence            121-130 weight per piece
// The description and cost blocks depend on the material code ("MI", "MM"
// or any other). Updates the record's size, length, description, grade and
// weight-per-piece fields to what was written.
std::string FormatRecord(CKelItem& item);
