// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The weight of one piece: the number read from the start of `weight`
// (decimals included, C locale) divided by the integer read from the start
// of `quantity`, formatted "%-1.2lf". "" when the quantity reads as 0.
std::string FormatUnitWeight(const std::string& quantity,
                             const std::string& weight);

// The remarks appended to a description of at most 28 characters: one blank
// and `remarks` cut or padded to 28 minus the description's length, as
// " %-*.*s" formats them. A description already longer than 28 characters
// gets the remarks uncut (a negative precision means none).
std::string AppendRemarks(const std::string& description,
                          const std::string& remarks);
