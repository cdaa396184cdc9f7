// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text form of a configuration: a TOML document that holds every field,
// losslessly, in a fixed order with a comment per section. It is made for
// reading, comparing and keeping under version control, and can be turned
// back into the same configuration.
//
// Texts of a configuration are single bytes; the TOML document is UTF-8.
// A byte of value n stands for the character U+0000 + n (Latin-1) and back,
// so any text survives: bytes 160 to 255 appear as the Latin-1 characters,
// control characters (0 to 31, 127 to 159) as TOML escapes.
//
// Layout (every key optional on reading, see ConfigurationFromText):
//   columns = [ { header = "...", type = "...", fractions = false }, ... ]
//   [materials]       codes (list), default_grades (list of 20),
//                     default_grade
//   [fractions]       texts (list)
//   [indicators]      diameter, left_right, left, right, schedule
//   [switches]        fraction_ignore_case, discard_in_output,
//                     use_hss_for_tubes
//   [search_replace]  search_for (list), replace_with (list)
//   [reserved]        number, double_1, double_2
//
// A switch is true or false when it holds 1 or 0 and a whole number
// otherwise. A reserved double is a TOML float, except for a NaN whose bits
// are not those TOML's "nan" reads as: that one is the text "0x" followed by
// its 16 hexadecimal IEEE 754 bits, so that every value survives.

#include <string>
#include <string_view>
#include <vector>

#include "config/Configuration.h"

// The editor's names for the 24 entries of m_materialCodes (the 20 shape
// families, the three pipe prefixes and the gage abbreviation), and for the
// 15 fraction entries.
extern const char* const kMaterialCodeLabels[kMaterialCodeCount];
extern const char* const kFractionLabels[kFractionCount];

// The longest text each editor box takes. Longer texts are kept but warned
// about when read from text.
inline constexpr size_t kEditorCodeLimit = 15;      // codes, indicators,
                                                    // overall default grade
inline constexpr size_t kEditorGradeLimit = 10;     // family default grades
inline constexpr size_t kEditorFractionLimit = 20;  // fraction texts

// The TOML text of `config`, lines ended by "\n". The same configuration
// always gives the same bytes. Like the file, it holds exactly 20 default
// grades ("" for entries a short list lacks).
std::string ConfigurationToText(const CConfiguration& config);

// `bytes` as a TOML basic string: in double quotes, each byte as its Latin-1
// character in UTF-8, with "\"" and "\\" escaped and control characters
// (C0, DEL and 128 to 159) written as escapes.
std::string QuoteText(const std::string& bytes);

// One finding of ConfigurationFromText.
struct CConfigTextMessage {
  int m_nLine = 0;        // 1-based line of the text; 0 when none applies
  bool m_bError = true;   // false for a warning
  std::string m_strText;  // the problem, without file or line
  bool operator==(const CConfigTextMessage&) const = default;
};

// Reads the TOML `text` into `config`, which it first replaces by a new
// configuration as the editor makes one (defaults, 6 empty search/replace
// pairs, 20 empty default grades, an empty overall default grade, no
// columns, reserved values 0, 1.0 and 1.0); every key given replaces its
// field. Appends every finding to `messages`, ordered by line: errors for a
// syntax error, an unknown key, a value of the wrong kind, a column type
// that is not one of the 24 names, a default grade list that does not hold
// 20 entries, or a character above U+00FF; warnings for a text longer than
// its editor box and for material code or fraction lists whose length is
// not the editor's 24 or 15. Returns true when there was no error; after an
// error `config` is unspecified. m_nType of each column is derived from its
// type name.
bool ConfigurationFromText(std::string_view text, CConfiguration& config,
                           std::vector<CConfigTextMessage>& messages);

// "<file>:<line>: <text>", with "warning: " before the text of a warning
// and without ":<line>" when the line is 0.
std::string FormatConfigTextMessage(const std::string& file,
                                    const CConfigTextMessage& message);
