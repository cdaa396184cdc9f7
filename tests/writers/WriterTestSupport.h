// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "config/Configuration.h"
#include "input/Orb.h"
#include "OrbRowPrinter.h"

// A line of `width` blanks with each text placed at its 1-based column.
inline std::string At(
    size_t width, const std::vector<std::pair<size_t, std::string>>& fields) {
  std::string line(width, ' ');
  for (const auto& [column, text] : fields)
    line.replace(column - 1, text.size(), text);
  return line;
}

struct TestColumn {
  std::string header;
  int type;
  bool fractions = false;
};

// A document as the table builder leaves it: a default configuration with
// `columns`, every column matched, and `rows` as given.
inline void MakeDocument(COrb& orb, const std::vector<TestColumn>& columns,
                         std::vector<COrbRow> rows) {
  orb.m_config.ResetToDefaults();
  for (const TestColumn& c : columns) {
    orb.m_config.m_columns.push_back(
        {c.header, kColumnTypeNames[c.type], c.fractions, c.type});
  }
  orb.m_rows = std::move(rows);
  orb.m_nRows = static_cast<int>(orb.m_rows.size());
  orb.m_nColumns = static_cast<int>(columns.size());
}

// Mark, quantity, material, length and remarks: the usual drawing table.
inline const std::vector<TestColumn> kTestColumns = {
    {"MARK", kColPieceMark},
    {"QTY", kColQuantity},
    {"DESCRIPTION", kColMaterial},
    {"LENGTH", kColLengthFtIn},
    {"REMARKS", kColRemarks}};
