// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Expands an input pattern into the paths it matches. The pattern is split
// at its last "/" into a directory part (up to and including that "/", empty
// when there is none) and a name part in which "*" stands for any run of
// characters and "?" for any one character; every other character, "[" and
// "\" included, stands for itself. Every entry of the directory (the
// current one for an empty part) whose name matches, directories included
// but "." and "..", is returned as the directory part followed by the name,
// in name order (byte order of the whole path), so that one folder always
// gives the same order. Letter case counts. A directory that cannot be
// listed, or an empty name part, matches nothing.
std::vector<std::string> ExpandPattern(const std::string& pattern);

// The input files of a run, pattern by pattern.
struct CInputFiles {
  // One list per pattern or plain name, in the order given; the files of a
  // pattern in name order.
  std::vector<std::vector<std::string>> groups;
  // The first pattern that matched nothing; empty when every one matched.
  // No groups and no such pattern: the texts named nothing at all.
  std::string unmatched;
};

// True when `text` stands for one file as it is: "-", the name of an
// existing file, or a text without "*", "?", ";" and double quotes.
bool NamesOneFile(const std::string& text);

// Expands the input texts of a run (the dialog's input text, or the INPUT
// names of a command line). A text that names an existing file, or "-",
// is that file. Any other text is split as SplitExportPatterns does; a piece
// with "*" or "?" is expanded, any other piece is a file name taken as it is
// (the conversion says when it cannot be opened).
CInputFiles ExpandInputs(const std::vector<std::string>& texts);

// The one file that Preview and Display show: the first file of the input
// text, as a run would take it; empty when there is none.
std::string FirstInputFile(const std::string& text);

// Splits the input text of an export at every ";" into patterns, skipping
// empty pieces; each piece loses one leading and one trailing double quote
// when present.
std::vector<std::string> SplitExportPatterns(const std::string& text);

// The input text for files picked together in the chooser: each path in
// double quotes, joined by ";". One file gives its path unquoted.
std::string JoinChosenFiles(const std::vector<std::string>& paths);
