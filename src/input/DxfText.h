// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The texts of a DXF file as the program's single-byte texts.

// How the bytes of a DXF file's texts are encoded: UTF-8 from release 2007
// on ($ACADVER AC1021 and later), else the file's $DWGCODEPAGE.
enum class DxfEncoding {
  kUtf8,
  kLatin1,  // ISO 8859-1, and a file that names no code page
  kCp1252,  // ANSI_1252
  kOther,   // another code page: bytes above 0x7F become "?"
};

// The encoding that a file's $ACADVER and $DWGCODEPAGE values stand for
// (either may be empty when the header lacks it).
DxfEncoding DxfEncodingOf(std::string_view acadVersion,
                          std::string_view codePage);

// The plain text of a TEXT or ATTRIB value: decoded from `encoding`, and
// every \U+XXXX escape turned into its character. Everything else is kept as
// written, the "%%c" of a diameter sign included.
std::string DxfPlainText(std::string_view raw, DxfEncoding encoding);

// The plain text of an MTEXT value: as DxfPlainText, and the formatting
// codes removed: \P (a paragraph break), \X, \N and \~ become one blank;
// \\, \{ and \} their character; a stacked fraction \S1/2; becomes "1/2"
// (also written with "^" or "#"); codes that take a value up to ";" (\f,
// \H, \W, \Q, \T, \A, \C, \c, \p) and the switches \L \l \O \o \K \k are
// dropped, as are the braces that group them.
std::string MTextPlainText(std::string_view raw, DxfEncoding encoding);

// The number of lines of an MTEXT value: one more than its paragraph breaks
// (\P). Lines that wrap at the text box's width are not counted.
size_t MTextLineCount(std::string_view raw);
