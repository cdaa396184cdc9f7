// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/InputFile.h"

// Reads the texts of an ASCII DXF file: TEXT, MTEXT and ATTRIB entities of
// model space and of paper space (layouts included), and the texts of block
// references placed through the reference's insertion point, scale,
// rotation, base point and column/row copies, nested references included.
// ATTDEF entities and invisible attributes give nothing.
//
// A text stands where a person sees its first line start, the left end of
// its baseline: group 10 for TEXT and ATTRIB (the justification point, group
// 11, depends on the font's widths), and for MTEXT its insertion point moved
// by its attachment point and character height to the first line's baseline
// (along the text's direction; the left, centre or right of the box is not
// moved). Texts are decoded as DxfText.h says.
//
// Returns "" when the file was read, else why it cannot be: a group code
// that is no number, a file that ends before its EOF, references nested
// deeper than kMaxDxfNesting (a block that inserts itself), or more than
// kMaxDxfTexts texts. `texts` then holds nothing useful.
std::string ReadDxfTexts(std::string_view bytes,
                         std::vector<CPlacedText>& texts);

inline constexpr int kMaxDxfNesting = 16;
inline constexpr size_t kMaxDxfTexts = 5000000;

// A DXF number as dxflib reads it (',' taken for '.', leading white space
// skipped, the longest prefix that is a number, else 0), for the entities
// read without it.
double DxfReal(std::string_view value);
