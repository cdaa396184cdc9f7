// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "input/Orb.h"

class CConfiguration;
class CKelItem;

// What CKelItem::ParseRow otherwise finds by scanning the table once per row:
// the first row of every mark (for a row that takes its data from an earlier
// row with its mark) and the next main item after a row (for the extent of a
// handed assembly). Passing an index to ParseRow gives the same results as
// the scans, in linear instead of quadratic time over a whole table.
//
// An index belongs to one table and one configuration, and is valid while
// the table's mark cells and the configuration stay as they were when it was
// built (ParseRow itself only rewrites quantity cells). Keep one per walk
// over a table; do not share it between threads.
class CKelRowIndex {
 public:
  // Reads the marks of every row of `rows` (as ParseMarks reads them).
  CKelRowIndex(const std::vector<COrbRow>& rows, const CConfiguration& config);

  // The first row whose mark is `mark`; -1 when no row has it. The rows
  // must be those the index was built from.
  int FirstRowOfMark(const std::vector<COrbRow>& rows,
                     const CConfiguration& config,
                     const std::string& mark) const;

  // The first row k with row < k < rowCount that a look-ahead parse
  // (ParseRow with rowCount -1) reads as an item with a main mark; rowCount
  // when there is none. The first call parses every row once this way (which
  // rewrites number words in quantity cells, as ParseRow does). Returns -1
  // when the index cannot answer: `row` outside the table, or a rowCount
  // other than that of the first call.
  int NextMainRow(std::vector<COrbRow>& rows, const CConfiguration& config,
                  int row, int rowCount);

 private:
  // (hash of the mark, row) of every row with a mark, in that order: the
  // marks themselves are read from the rows again when asked for, so that a
  // large table is not held twice.
  std::vector<std::pair<size_t, int>> m_markHashes;
  std::vector<int> m_nextMainRow;  // per row, filled on first use
  int m_nLookAheadRowCount = -1;   // rowCount m_nextMainRow was built for
};

// Whether a parsed record heads an assembly: a major mark, or a piece mark
// that holds an upper-case letter once the left/right indicator is taken out
// of a handed mark.
bool IsMainMarkRecord(const CKelItem& item, const CConfiguration& config);
