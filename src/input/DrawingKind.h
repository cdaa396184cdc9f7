// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The kinds of input file, told apart by their first bytes, not their names.
enum class DrawingKind {
  kOrb,        // a text dump of positioned texts: anything not below
  kDxf,        // ASCII DXF: the first group (after comments) is 0 / SECTION
  kPdf,        // starts with "%PDF-"
  kBinaryDxf,  // starts with the "AutoCAD Binary DXF" sentinel: not read
  kDwg,        // starts with "AC10": a drawing database file, not read
};

// The kind of the file whose bytes are `bytes` (all of them or a prefix of a
// few hundred bytes). A UTF-8 byte order mark before a DXF is allowed; DXF
// groups may have blanks around them and end in LF or CR LF.
DrawingKind DetectDrawingKind(std::string_view bytes);

// "ORB", "DXF", "PDF", "binary DXF", "DWG": how reports name a kind.
const char* DrawingKindName(DrawingKind kind);
