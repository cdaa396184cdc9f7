// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Rebuilding the table of a bill-of-material document from the positions of
// its texts: the first data row is the topmost line that holds a count, the
// headers are the texts above it that equal a configured header, rows are
// clusters of texts by height, and each text goes into the column of the
// header nearest to it.
//
// Every function here works on texts in reading order (as COrb::ReadOrbFile
// leaves them: larger m_y first, then smaller m_x). Other orders still give a
// result, in bounded time, but not a meaningful one. Positions may be
// anywhere in the 32-bit range; differences are taken in 64 bits.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"

// Whether a text reads as a count of pieces: what follows the first "(" (the
// whole text when there is none), cut at the first ")" after it and trimmed
// of white space, is non-empty and either only the digits 0 to 9 or one of
// the words ONE to TEN in any letter case. "12", "Ten" and "(3)" are counts;
// "12A" and "4 (SHOP)" are not.
bool IsCountText(const std::string& text);

// Finds the topmost line of `texts` that holds a count. Returns false when no
// text is a count (then the outputs are unchanged). Otherwise sets
// `firstRowHeight` to that line's m_y and `startIndex` to the index of its
// leftmost text (the earliest one among equal m_x), and returns true.
bool FindFirstDataRow(const std::vector<COrbText>& texts,
                      int32_t& firstRowHeight, size_t& startIndex);

// Matches the texts above the first data row against the configured headers.
// Walks `texts` from index 0 while m_y > firstRowHeight; a text matches the
// first column whose m_strHeader equals the whole text, ignoring the case of
// ASCII letters, and appends (its m_x, that column's index) to `headers`.
// Returns M, the number of matches. When M > 0, sets `firstRowHeight` to the
// height of the lowest matched header and `startIndex` to the index right
// after the last text, walking back from `startIndex`, that lies at or above
// that height: the data region is startIndex..end. `startIndex` must be a
// valid index found by FindFirstDataRow. With M == 0 the outputs are
// unchanged. `headerTexts` (optional) gets the index in `texts` of each
// match, in the order of `headers`.
int MatchHeaders(const std::vector<COrbText>& texts,
                 const std::vector<CConfigColumnItem>& columns,
                 std::vector<COrbHeader>& headers, int32_t& firstRowHeight,
                 size_t& startIndex,
                 std::vector<size_t>* headerTexts = nullptr);

// Clusters the texts from `startIndex` to the end (empty texts included) into
// rows and returns the row heights, highest first (equal heights may repeat).
// Top and Bottom are the m_y of the first and the last of these texts. A text
// joins the existing rows when Top equals Bottom or when, for some row,
// |(row - m_y) / (Top - Bottom)| < tolerance / 100 (in double precision);
// otherwise it starts a row at its own m_y. So a tolerance of 0 or below
// gives one row per text unless Top equals Bottom. Empty when startIndex is
// past the end. O(n log n).
std::vector<int32_t> ClusterRows(const std::vector<COrbText>& texts,
                                 size_t startIndex, double tolerance);

// The matched headers arranged for finding the header nearest to a position.
class CHeaderIndex {
 public:
  // `headers` must not be empty.
  explicit CHeaderIndex(const std::vector<COrbHeader>& headers);

  // The configured column of the header entry whose m_x is nearest to `x`;
  // the earliest entry among equal distances. O(log M).
  int NearestColumn(int32_t x) const;

 private:
  struct Entry {
    int32_t m_x;
    size_t m_nFirst;  // earliest header entry at this x
    int m_nColumn;    // its configured column
  };
  std::vector<Entry> m_entries;  // one per distinct x, ascending
};

// The position in `rows` (heights, highest first, as ClusterRows returns
// them) of the row nearest to height `y`; the highest row (the first one)
// among equal distances. `rows` must not be empty. O(log n).
size_t NearestRow(const std::vector<int32_t>& rows, int32_t y);

// The cell of one text: the nearest row and the nearest header's column.
struct CTableCell {
  size_t m_nRow = 0;
  int m_nColumn = 0;
  bool operator==(const CTableCell&) const = default;
};
CTableCell AssignCell(const COrbText& text, const std::vector<int32_t>& rows,
                      const CHeaderIndex& headers);

// Searches the largest row tolerance (in percent) at which no two non-empty
// texts of the data region fall into one cell, then fills `rows` (replacing
// its contents) with one row per cluster at that tolerance, top first, each
// of max(columnCount, headers.size()) cells; cell j holds the last text, in
// list order, that falls under configured column j, "" when none does.
// Returns the number of rows; 0, with `rows` emptied, when `headers` is
// empty. Each pass of the search costs O(n log n) in the number of texts.
//
// With `record` (optional) given and `headers` not empty, also records the
// tolerance, the heights of the rows, and the place of every text from
// `startIndex` on (m_texts is resized to texts.size(); earlier entries are
// left alone): the cell it holds, the later text that took its cell, or
// that it is empty; and every such replacement in m_conflicts. The rows are
// the same with or without it; recording costs O(n log n) more.
int BuildRows(const std::vector<COrbText>& texts, size_t columnCount,
              const std::vector<COrbHeader>& headers, size_t startIndex,
              std::vector<COrbRow>& rows, CTableRecord* record = nullptr);

// The tolerance (in percent) that BuildRows settles on. Exposed for tests.
double FindRowTolerance(const std::vector<COrbText>& texts,
                        const std::vector<COrbHeader>& headers,
                        size_t startIndex);
