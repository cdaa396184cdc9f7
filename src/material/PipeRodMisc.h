// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CConfiguration;

// Deletes the diameter abbreviation from `text`: with a = `abbreviation`
// without its first ".", first the first occurrence of a + "." and then the
// first occurrence of a (exact case). An empty abbreviation so deletes the
// first "." of the text.
void RemoveDiameterAbbreviation(const std::string& abbreviation,
                                std::string& text);

// True when the text holds an ASCII letter.
bool HasLetter(const std::string& text);

// Reads the size of a round item from the words of `text` that hold no
// letter: drops every blank-separated word with a letter (and the blank
// behind it), trims, cuts trailing characters other than digits, inch and
// foot marks (never the first character) and returns ParseInches of the
// rest: sixteenths of an inch, 0 for nothing left, -1 when unreadable. Any
// length of text is read whole.
int ParseNominalSize(const std::string& text, const CConfiguration& config);
