// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The program's texts are single bytes, read as Latin-1. Texts from files
// that hold other encodings are turned into Latin-1 here; a character that
// Latin-1 lacks becomes "?".

// Appends the Latin-1 byte of `codePoint` to `out`, or "?" above U+00FF.
void AppendLatin1(uint32_t codePoint, std::string& out);

// UTF-8 to Latin-1. A byte that does not start a well-formed sequence (a
// stray continuation byte, an overlong or cut-off sequence) becomes "?" on
// its own, so nothing is lost silently and the rest still reads.
std::string Utf8ToLatin1(std::string_view utf8);

// Windows code page 1252 to Latin-1: the two agree but for 0x80 to 0x9F,
// where 1252 has typographic signs (the euro, curly quotes, dashes) that
// Latin-1 lacks; those become "?".
std::string Cp1252ToLatin1(std::string_view text);
