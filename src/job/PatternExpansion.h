// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Expands an input pattern into the paths it matches. The pattern is split
// at its last "/" into a directory part (up to and including that "/", empty
// when there is none) and a name part in which "*" stands for any run of
// characters and "?" for any one character; every other character, "[" and
// "\" included, stands for itself. The directory (the current one for an
// empty part) is listed in the order the file system gives, and every entry
// whose name matches, directories included but "." and "..", is returned as
// the directory part followed by the name. Letter case counts. A directory
// that cannot be listed, or an empty name part, matches nothing.
std::vector<std::string> ExpandPattern(const std::string& pattern);

// Splits the input text of an export at every ";" into patterns, skipping
// empty pieces; each piece loses one leading and one trailing double quote
// when present.
std::vector<std::string> SplitExportPatterns(const std::string& text);

// The input text for files picked together in the chooser: each path in
// double quotes, joined by ";". One file gives its path unquoted.
std::string JoinChosenFiles(const std::vector<std::string>& paths);
