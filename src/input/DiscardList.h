// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The discard list: phrases, one per line of a plain text file, that are cut
// out of every entity line of a bill-of-material file before it is read.

// Appends the phrases of the file at `path` to `list`, in file order,
// duplicates kept. Each line loses a CR before its line end and its leading
// and trailing blanks and tabs (inner ones stay, and so does letter case);
// lines left empty are skipped. A missing or unreadable file adds nothing,
// and a read error keeps the complete lines read before it. Returns false
// (adding nothing) only when `path` names something that is not a regular
// file, such as a FIFO or a device, which is never opened for reading: it
// could block the program or never end.
bool LoadDiscardList(const std::string& path, std::vector<std::string>& list);

// The path of the discard list beside the program: `programDirectory`
// followed by "/DISCARD.TXT" ("./DISCARD.TXT" for an empty directory, no
// doubled "/" after a directory that ends in one).
std::string DiscardListPath(const std::string& programDirectory);
