// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

class CConfiguration;
class CLineTarget;
class COrb;

// The first cell of row `row` whose column j (firstColumn <= j) has the
// configured type `columnType` and holds at least one character. Only the
// columns that are both matched (j < m_nColumns) and configured are looked
// at, and only cells the row actually has. None when there is none or the
// row does not exist.
std::optional<std::string_view> FindCellFrom(const COrb& orb, int columnType,
                                             int row, int firstColumn);

// The exported form of a material cell: the configured code of its shape
// family replaced by the family's fixed output code (pipe keeps its code),
// trimmed, the diameter abbreviation deleted (up to ten times), fraction
// strings expanded when `fractions` is set, and every run of blanks made
// one blank.
std::string ExportMaterial(const CConfiguration& config,
                           const std::string& text, bool fractions);

// The header line: every configured column's header followed by "~", then
// `fileName` when it is non-null. Not trimmed.
std::string ExportHeaderLine(const CConfiguration& config,
                             const std::string* fileName);

// Writes the header line and CR LF. Returns 0, or -1 when the write fails.
int WriteExportHeader(const CConfiguration& config, CLineTarget& target,
                      const std::string* fileName);

// The data line of row `row`: one field per column type, at the first
// matched column of that type, holding the first non-empty cell of that
// type from there on; fields trimmed and joined by "~". Columns of type
// None (or of no known type) give no field. The document is not changed.
std::string ExportDataLine(const COrb& orb, int row);

// Writes the rows of `orb` to `target`: the header line first when
// `headerOption` is 1 and `fileIndex` 0 (once per run), or when it is 2
// (before each drawing, followed by the input's file name), then one data
// line per row, item or not. Returns 0, or -1 as soon as a line cannot be
// written.
int WriteExportDocument(const COrb& orb, CLineTarget& target,
                        int headerOption, int fileIndex);
