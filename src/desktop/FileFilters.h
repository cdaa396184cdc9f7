// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// File-chooser filters in their stored form: pairs of a description and a
// pattern list, each part ended by "|", the whole list ended by a second
// "|".
// The input chooser offers every kind of drawing at once, then each kind.
inline constexpr const char* kFilterDrawings =
    "Drawings (*.orb *.dxf *.pdf)|*.orb;*.dxf;*.pdf|"
    "Bill of Material Files (*.orb)|*.orb|DXF Files (*.dxf)|*.dxf|"
    "PDF Files (*.pdf)|*.pdf|All Files (*.*)|*.*||";
inline constexpr const char* kFilterKel =
    "KEL Files (*.kel)|*.kel|All Files (*.*)|*.*||";
// The output chooser when the output is an export.
inline constexpr const char* kFilterExport =
    "Export Files (*.txt)|*.txt|All Files (*.*)|*.*||";
inline constexpr const char* kFilterCfg =
    "Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*||";

// Translates a stored filter into Qt's form, "Description (patterns);;...".
// Qt reads the patterns from the parentheses, so each entry becomes its
// description with its parenthesised part (if any) replaced by the entry's
// own patterns, ";" between them becoming a blank. "*.*" means every file,
// as on the system the filters come from, and becomes "*" (Qt's "*.*" would
// hide names without a dot). A description without a pattern is dropped.
QString QtFileFilter(const char* filter);

// What a file is to the main dialog, told by its extension in any letter
// case: ".orb", ".dxf" and ".pdf" are drawings, ".cfg" configurations.
enum class FileKind { kDrawing, kConfiguration, kOther };
FileKind KindOfFile(const QString& path);
