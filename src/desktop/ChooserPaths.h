// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the file choosers of the main dialog and the preview start, and the
// output name they suggest. A field holds a path, a pattern ("/jobs/*.orb")
// or a list of quoted paths joined by ";"; its first entry counts.

// The first entry of a field's text, without its quotes.
QString FirstFieldPath(const QString& field);

// The folder a chooser starts in, followed by "/" and `name` when `name` is
// not empty: the folder of FirstFieldPath(`field`) (the path itself when it
// is a folder) when that exists, else `lastFolder` when that exists, else
// the home folder. Relative paths count from the current folder.
QString ChooserStart(const QString& field, const QString& lastFolder,
                     const QString& name);

// The file name of a field's first entry, "" when it holds wildcards or
// names a folder.
QString FieldFileName(const QString& field);

// The output name suggested for the input field `input`: the base name of
// its file (without the last extension) followed by `suffix` (".kel",
// ".txt"); for a pattern with wildcards or a list of files, the name of
// their folder instead. "" when there is no name to take.
QString SuggestedOutputName(const QString& input, const QString& suffix);
