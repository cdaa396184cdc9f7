// SPDX-License-Identifier: GPL-3.0-or-later
#include "table/TableBuilder.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "text/LargePages.h"
#include "text/TextUtils.h"

namespace {

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

int64_t Distance(int32_t a, int32_t b) {
  const int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
  return d < 0 ? -d : d;
}

// |(row - y) / range| exactly as the clustering rule states it; every caller
// must use this one expression so that all comparisons agree to the bit.
double RowQuotient(int32_t row, int32_t y, double range) {
  return std::fabs((static_cast<double>(row) - static_cast<double>(y)) / range);
}

// Whether the heights of the texts from `startIndex` on never grow, as in
// reading order. Then the rows found for them come in order too, and every
// pass over them can walk instead of search.
bool HeightsDescend(const std::vector<COrbText>& texts, size_t startIndex) {
  for (size_t i = startIndex + 1; i < texts.size(); ++i) {
    if (texts[i].m_y > texts[i - 1].m_y) return false;
  }
  return true;
}

// NearestRow for heights that never grow from one call to the next, in
// amortised constant time: the row boundary only moves down.
class CRowWalk {
 public:
  explicit CRowWalk(const std::vector<int32_t>& rows) : m_rows(rows) {}

  size_t Nearest(int32_t y) {
    // m_below: the first row at or below y; m_runStart: the first row of
    // the run of equal heights just above it.
    while (m_below < m_rows.size() && m_rows[m_below] > y) {
      if (m_below == 0 || m_rows[m_below] != m_rows[m_below - 1]) {
        m_runStart = m_below;
      }
      ++m_below;
    }
    if (m_below == 0) return 0;
    if (m_below == m_rows.size() ||
        Distance(m_rows[m_below - 1], y) <= Distance(y, m_rows[m_below])) {
      return m_runStart;
    }
    return m_below;
  }

 private:
  const std::vector<int32_t>& m_rows;
  size_t m_below = 0;
  size_t m_runStart = 0;
};

// Calls place(text index, row, column) for every non-empty text of the data
// region, in order. `columns` holds the column of each of them.
template <typename Place>
void PlaceTexts(const std::vector<COrbText>& texts, size_t startIndex,
                bool descending, const std::vector<int32_t>& rows,
                const std::vector<int>& columns, Place&& place) {
  CRowWalk walk(rows);
  for (size_t i = startIndex, k = 0; i < texts.size(); ++i) {
    if (texts[i].m_text.empty()) continue;
    const size_t row =
        descending ? walk.Nearest(texts[i].m_y) : NearestRow(rows, texts[i].m_y);
    place(i, row, columns[k++]);
  }
}

// Whether two non-empty texts of the data region fall into one cell.
bool HasConflict(const std::vector<COrbText>& texts, size_t startIndex,
                 bool descending, const std::vector<int>& textColumns,
                 const std::vector<int32_t>& rows) {
  if (descending) {
    // Rows come in order: a cell is taken twice only by texts of one row,
    // so the last row that took each column is enough.
    const int maxColumn = textColumns.empty()
        ? 0 : *std::max_element(textColumns.begin(), textColumns.end());
    std::vector<size_t> lastRow(static_cast<size_t>(std::max(maxColumn, 0)) + 1,
                                SIZE_MAX);
    bool conflict = false;
    PlaceTexts(texts, startIndex, true, rows, textColumns,
               [&](size_t, size_t row, int column) {
                 size_t& last = lastRow[static_cast<size_t>(column)];
                 conflict = conflict || last == row;
                 last = row;
               });
    return conflict;
  }
  std::vector<uint64_t> cells;
  cells.reserve(textColumns.size());
  PlaceTexts(texts, startIndex, false, rows, textColumns,
             [&](size_t, size_t row, int column) {
               cells.push_back(uint64_t{row} << 32 |
                               static_cast<uint32_t>(column));
             });
  std::sort(cells.begin(), cells.end());
  return std::adjacent_find(cells.begin(), cells.end()) != cells.end();
}

// The column of every non-empty text of the data region, in order; the
// headers do not change during the search, so this is done once.
std::vector<int> ColumnsOfTexts(const std::vector<COrbText>& texts,
                                size_t startIndex,
                                const CHeaderIndex& headers) {
  // Texts stand at a few positions across, repeated on every row: the
  // column last found for a position is kept, in a small table.
  struct Seen {
    int32_t x;
    int column;  // -1: none kept yet
  };
  constexpr size_t kSlots = 64;
  Seen seen[kSlots];
  for (Seen& slot : seen) slot = Seen{0, -1};
  std::vector<int> columns;
  columns.reserve(texts.size() - std::min(startIndex, texts.size()));
  for (size_t i = startIndex; i < texts.size(); ++i) {
    if (texts[i].m_text.empty()) continue;
    const int32_t x = texts[i].m_x;
    Seen& slot = seen[(static_cast<uint32_t>(x) * 2654435761u) >> 26];
    if (slot.column < 0 || slot.x != x) {
      slot = Seen{x, headers.NearestColumn(x)};
    }
    columns.push_back(slot.column);
  }
  return columns;
}

// One text placed by the final pass of BuildRows.
struct PlacedText {
  uint64_t m_cell;  // see CellKey
  size_t m_nText;
};

uint64_t CellKey(const CTableCell& cell) {
  return uint64_t{cell.m_nRow} << 32 | static_cast<uint32_t>(cell.m_nColumn);
}

// Records where every text of the data region ended: texts are placed in
// reading order, so of the texts that share a cell the last one holds it
// and each earlier one was replaced by the next.
void RecordPlaces(const std::vector<COrbText>& texts, size_t startIndex,
                  std::vector<PlacedText> placed, CTableRecord& record) {
  record.m_texts.resize(texts.size());
  for (size_t i = startIndex; i < texts.size(); ++i) {
    record.m_texts[i] = CTextRecord{TextPlace::kEmpty};
  }
  record.m_conflicts.clear();
  std::sort(placed.begin(), placed.end(),
            [](const PlacedText& a, const PlacedText& b) {
              return a.m_cell != b.m_cell ? a.m_cell < b.m_cell
                                          : a.m_nText < b.m_nText;
            });
  for (size_t k = 0; k < placed.size(); ++k) {
    CTextRecord& text = record.m_texts[placed[k].m_nText];
    text.m_nRow = static_cast<size_t>(placed[k].m_cell >> 32);
    text.m_nColumn = static_cast<int>(placed[k].m_cell & 0xffffffffu);
    const bool replaced =
        k + 1 < placed.size() && placed[k + 1].m_cell == placed[k].m_cell;
    text.m_place = replaced ? TextPlace::kReplaced : TextPlace::kCell;
    if (replaced) {
      text.m_nReplacedBy = placed[k + 1].m_nText;
      record.m_conflicts.push_back(CCellConflict{
          placed[k].m_nText, text.m_nReplacedBy, text.m_nRow, text.m_nColumn});
    }
  }
  std::sort(record.m_conflicts.begin(), record.m_conflicts.end(),
            [](const CCellConflict& a, const CCellConflict& b) {
              return a.m_nLater < b.m_nLater;
            });
}

}  // namespace

bool IsCountText(const std::string& text) {
  std::string t = text;
  if (const size_t open = t.find('('); open != std::string::npos) {
    t.erase(0, open + 1);
  }
  if (const size_t close = t.find(')'); close != std::string::npos) {
    t.erase(close);
  }
  size_t begin = 0;
  size_t end = t.size();
  while (begin < end && IsWhiteSpace(t[begin])) ++begin;
  while (end > begin && IsWhiteSpace(t[end - 1])) --end;
  t = t.substr(begin, end - begin);
  if (t.empty()) return false;

  static const char* const kWords[] = {"ONE", "TWO",   "THREE", "FOUR", "FIVE",
                                       "SIX", "SEVEN", "EIGHT", "NINE", "TEN"};
  const std::string upper = ToUpperAscii(t);
  for (const char* word : kWords) {
    if (upper == word) return true;
  }
  return std::all_of(t.begin(), t.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

bool FindFirstDataRow(const std::vector<COrbText>& texts,
                      int32_t& firstRowHeight, size_t& startIndex) {
  // A found flag rather than a sentinel height, so that a count at the very
  // bottom of the coordinate range is still found.
  bool found = false;
  int32_t highest = std::numeric_limits<int32_t>::min();
  for (const COrbText& text : texts) {
    if ((!found || text.m_y > highest) && IsCountText(text.m_text)) {
      found = true;
      highest = text.m_y;
    }
  }
  if (!found) return false;

  size_t leftmost = texts.size();
  for (size_t i = 0; i < texts.size(); ++i) {
    if (texts[i].m_y == highest &&
        (leftmost == texts.size() || texts[i].m_x < texts[leftmost].m_x)) {
      leftmost = i;
    }
  }
  firstRowHeight = highest;
  startIndex = leftmost;
  return true;
}

int MatchHeaders(const std::vector<COrbText>& texts,
                 const std::vector<CConfigColumnItem>& columns,
                 std::vector<COrbHeader>& headers, int32_t& firstRowHeight,
                 size_t& startIndex, std::vector<size_t>* headerTexts) {
  // Upper-cased header -> first column that carries it.
  std::unordered_map<std::string, int> columnOfHeader;
  for (size_t j = 0; j < columns.size(); ++j) {
    columnOfHeader.emplace(ToUpperAscii(columns[j].m_strHeader),
                           static_cast<int>(j));
  }

  int32_t lowest = std::numeric_limits<int32_t>::max();
  int matched = 0;
  for (size_t i = 0; i < texts.size() && texts[i].m_y > firstRowHeight; ++i) {
    const auto it = columnOfHeader.find(ToUpperAscii(texts[i].m_text));
    if (it == columnOfHeader.end()) continue;
    headers.push_back(COrbHeader{texts[i].m_x, it->second});
    if (headerTexts != nullptr) headerTexts->push_back(i);
    lowest = std::min(lowest, texts[i].m_y);
    ++matched;
  }
  if (matched == 0) return 0;

  // The data begins right after the last text, looking back from the first
  // data row, that lies at or above the lowest header. Index 0 is tested
  // too: when only the first text is at that height, it is a header and
  // must not become data.
  size_t start = std::min(startIndex, texts.size() - 1);
  while (true) {
    if (texts[start].m_y >= lowest) {
      ++start;
      break;
    }
    if (start == 0) break;
    --start;
  }
  firstRowHeight = lowest;
  startIndex = start;
  return matched;
}

std::vector<int32_t> ClusterRows(const std::vector<COrbText>& texts,
                                 size_t startIndex, double tolerance) {
  std::vector<int32_t> rows;
  if (startIndex >= texts.size()) return rows;
  const int32_t top = texts[startIndex].m_y;
  const int32_t bottom = texts.back().m_y;
  if (top == bottom) {
    rows.push_back(top);  // the first text starts it, all others join
    return rows;
  }

  const double range = static_cast<double>(top) - static_cast<double>(bottom);
  const double limit = tolerance / 100;
  rows.reserve(texts.size() - startIndex);
  const bool descending = HeightsDescend(texts, startIndex);
  if (!(limit > 0)) {
    // No quotient is below a limit of 0 or less: one row per text.
    for (size_t i = startIndex; i < texts.size(); ++i) {
      rows.push_back(texts[i].m_y);
    }
    if (descending) return rows;
  } else if (descending) {
    // Every row found so far lies at or above the text: only the last one,
    // the lowest, can be close enough.
    for (size_t i = startIndex; i < texts.size(); ++i) {
      const int32_t y = texts[i].m_y;
      if (rows.empty() || !(RowQuotient(rows.back(), y, range) < limit)) {
        rows.push_back(y);
      }
    }
    return rows;  // each row lower than the one before
  } else {
    // A text joins when some row is close enough. The quotient grows with
    // the distance, so only the nearest row above and the nearest row below
    // can decide.
    std::set<int32_t> heights;
    for (size_t i = startIndex; i < texts.size(); ++i) {
      const int32_t y = texts[i].m_y;
      const auto above = heights.lower_bound(y);  // first row >= y
      bool joins =
          above != heights.end() && RowQuotient(*above, y, range) < limit;
      if (!joins && above != heights.begin()) {
        joins = RowQuotient(*std::prev(above), y, range) < limit;
      }
      if (!joins) {
        heights.insert(above, y);
        rows.push_back(y);
      }
    }
  }
  std::sort(rows.begin(), rows.end(), std::greater<int32_t>());
  return rows;
}

CHeaderIndex::CHeaderIndex(const std::vector<COrbHeader>& headers) {
  std::vector<size_t> order(headers.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return headers[a].m_x < headers[b].m_x;
  });
  for (size_t i : order) {
    // Stable order: the first entry seen at an x is the earliest one.
    if (m_entries.empty() || m_entries.back().m_x != headers[i].m_x) {
      m_entries.push_back(Entry{headers[i].m_x, i, headers[i].m_nColumn});
    }
  }
}

int CHeaderIndex::NearestColumn(int32_t x) const {
  const auto right = std::lower_bound(
      m_entries.begin(), m_entries.end(), x,
      [](const Entry& e, int32_t value) { return e.m_x < value; });
  if (right == m_entries.begin()) return right->m_nColumn;
  const auto left = std::prev(right);
  if (right == m_entries.end()) return left->m_nColumn;
  const int64_t dl = Distance(x, left->m_x);
  const int64_t dr = Distance(x, right->m_x);
  if (dl != dr) return dl < dr ? left->m_nColumn : right->m_nColumn;
  return left->m_nFirst < right->m_nFirst ? left->m_nColumn : right->m_nColumn;
}

size_t NearestRow(const std::vector<int32_t>& rows, int32_t y) {
  // First row at or below y; the rows are in descending order.
  const auto below =
      std::lower_bound(rows.begin(), rows.end(), y, std::greater<int32_t>());
  if (below == rows.begin()) return 0;
  // First row of the run of equal heights just above y.
  const int32_t aboveHeight = *std::prev(below);
  const auto above = std::lower_bound(rows.begin(), below, aboveHeight,
                                      std::greater<int32_t>());
  if (below == rows.end() || Distance(aboveHeight, y) <= Distance(y, *below)) {
    return static_cast<size_t>(above - rows.begin());
  }
  return static_cast<size_t>(below - rows.begin());
}

CTableCell AssignCell(const COrbText& text, const std::vector<int32_t>& rows,
                      const CHeaderIndex& headers) {
  return CTableCell{NearestRow(rows, text.m_y),
                    headers.NearestColumn(text.m_x)};
}

namespace {

// The texts of the data region in reading order, taken as runs of equal
// height. A run always lands in one row, both when rows are clustered (with
// a positive limit) and when texts are placed, so the search can work on
// runs: a clean table has one run per row instead of one text per cell.
class CHeightRuns {
 public:
  // False when the runs cannot stand for the texts: heights out of order,
  // or a column beyond what a mask holds.
  bool Build(const std::vector<COrbText>& texts, size_t startIndex,
             const std::vector<int>& textColumns) {
    size_t k = 0;
    for (size_t i = startIndex; i < texts.size(); ++i) {
      const int32_t y = texts[i].m_y;
      if (m_heights.empty() || y != m_heights.back()) {
        if (!m_heights.empty() && y > m_heights.back()) return false;
        m_heights.push_back(y);
        m_columns.push_back(0);
      }
      ++m_nTexts;
      if (texts[i].m_text.empty()) continue;
      const int column = textColumns[k++];
      if (column < 0 || column >= 64) return false;
      const uint64_t bit = uint64_t{1} << column;
      // Two texts of one height in one column share a cell whatever the
      // tolerance.
      m_bSelfConflict = m_bSelfConflict || (m_columns.back() & bit) != 0;
      m_columns.back() |= bit;
    }
    return !m_heights.empty();
  }

  // The number of rows ClusterRows makes of the texts at `tolerance`, and
  // whether two texts then share a cell (HasConflict).
  std::pair<size_t, bool> Try(double tolerance) {
    const int32_t top = m_heights.front();
    const int32_t bottom = m_heights.back();
    // One run: all texts in one row.
    if (top == bottom) return {1, m_bSelfConflict};
    const double range =
        static_cast<double>(top) - static_cast<double>(bottom);
    const double limit = tolerance / 100;
    // No quotient is below a limit of 0 or less: one row per text, and the
    // texts of a run all go to the first of their equal rows.
    if (!(limit > 0)) return {m_nTexts, m_bSelfConflict};
    m_rows.clear();
    for (const int32_t y : m_heights) {
      if (m_rows.empty() || !(RowQuotient(m_rows.back(), y, range) < limit)) {
        m_rows.push_back(y);
      }
    }
    return {m_rows.size(), Conflict(m_rows)};
  }

 private:
  // Whether two texts share a cell when placed into `rows`.
  bool Conflict(const std::vector<int32_t>& rows) const {
    if (m_bSelfConflict) return true;
    CRowWalk walk(rows);
    size_t lastRow = SIZE_MAX;
    uint64_t taken = 0;
    for (size_t r = 0; r < m_heights.size(); ++r) {
      const size_t row = walk.Nearest(m_heights[r]);
      if (row != lastRow) {
        lastRow = row;
        taken = 0;
      }
      if ((taken & m_columns[r]) != 0) return true;
      taken |= m_columns[r];
    }
    return false;
  }

  std::vector<int32_t> m_heights;  // one per run, highest first
  std::vector<uint64_t> m_columns;  // columns taken by each run's texts
  size_t m_nTexts = 0;  // texts of all runs, empty ones included
  bool m_bSelfConflict = false;
  std::vector<int32_t> m_rows;  // the rows of the last Try
};

// The search of FindRowTolerance over texts whose columns are known.
double SearchRowTolerance(const std::vector<COrbText>& texts,
                          size_t startIndex, bool descending,
                          const std::vector<int>& textColumns) {
  CHeightRuns runs;
  const bool byRuns =
      descending && runs.Build(texts, startIndex, textColumns);
  // Grow the tolerance while the rows stay free of conflicts, back off and
  // halve the step on a conflict.
  double tolerance = 0.1;
  double step = 5.0;
  double best = 0.0;
  while (step > 0.1) {
    size_t rowCount = 0;
    bool conflict = false;
    if (byRuns) {
      std::tie(rowCount, conflict) = runs.Try(tolerance);
    } else {
      const std::vector<int32_t> rows =
          ClusterRows(texts, startIndex, tolerance);
      rowCount = rows.size();
      conflict =
          HasConflict(texts, startIndex, descending, textColumns, rows);
    }
    if (!conflict && rowCount < 2) {
      step = 0.1;
    } else if (!conflict) {
      best = tolerance;
      // Above 100 percent every text of an ordered list joins the top row,
      // so only a list out of order gets here; it could go on growing for
      // billions of passes.
      if (tolerance > 100.0) {
        step = 0.1;
      } else {
        tolerance += step;
      }
    } else {
      tolerance -= step;
      step /= 2;
      if (step > 0.1) tolerance += step;
    }
  }
  return best;
}

}  // namespace

double FindRowTolerance(const std::vector<COrbText>& texts,
                        const std::vector<COrbHeader>& headers,
                        size_t startIndex) {
  if (headers.empty()) return 0.0;
  return SearchRowTolerance(
      texts, startIndex, HeightsDescend(texts, startIndex),
      ColumnsOfTexts(texts, startIndex, CHeaderIndex(headers)));
}

int BuildRows(const std::vector<COrbText>& texts, size_t columnCount,
              const std::vector<COrbHeader>& headers, size_t startIndex,
              std::vector<COrbRow>& rows, CTableRecord* record) {
  if (headers.empty()) {
    rows.clear();
    return 0;
  }
  const size_t width = std::max(columnCount, headers.size());
  const bool descending = HeightsDescend(texts, startIndex);
  const std::vector<int> textColumns =
      ColumnsOfTexts(texts, startIndex, CHeaderIndex(headers));
  const double tolerance =
      SearchRowTolerance(texts, startIndex, descending, textColumns);
  const std::vector<int32_t> heights =
      ClusterRows(texts, startIndex, tolerance);

  // Rows are given room for their cells before any is set, so each row
  // allocates once. Cells refer to the texts, which are not copied.
  {
    std::vector<uint32_t> cellsInRow(heights.size(), 0);
    PlaceTexts(texts, startIndex, descending, heights, textColumns,
               [&](size_t, size_t row, int) { ++cellsInRow[row]; });
    rows.clear();
    rows.reserve(heights.size());
    AdviseLargePages(rows.data(), rows.capacity() * sizeof(COrbRow));
    for (const uint32_t cells : cellsInRow) {
      rows.emplace_back(width).Reserve(cells);
    }
  }
  std::vector<PlacedText> placed;  // (cell, text) in reading order
  PlaceTexts(texts, startIndex, descending, heights, textColumns,
             [&](size_t i, size_t row, int column) {
               rows[row].Share(static_cast<size_t>(column), texts[i].m_text);
               if (record != nullptr) {
                 placed.push_back({CellKey(CTableCell{row, column}), i});
               }
             });
  if (record != nullptr) {
    record->m_dTolerance = tolerance;
    record->m_rowHeights = heights;
    RecordPlaces(texts, startIndex, std::move(placed), *record);
  }
  return static_cast<int>(rows.size());
}

int COrb::ApplyConfiguration(const std::string& configPath) {
  if (LoadConfigurationFile(configPath, m_config) != 0) return -1;
  return ApplyLoadedConfiguration();
}

int COrb::ApplyLoadedConfiguration() {
  CTableRecord* record = m_pRecord != nullptr ? &m_pRecord->m_table : nullptr;
  if (record != nullptr) {
    *record = CTableRecord();
    record->m_bBuilt = true;
    record->m_texts.resize(m_texts.size());
  }
  int32_t firstRowHeight = 0;
  size_t startIndex = 0;
  if (!FindFirstDataRow(m_texts, firstRowHeight, startIndex)) {
    m_nRows = 0;
    m_nColumns = 0;
    return -2;
  }
  std::vector<COrbHeader> headers;
  std::vector<size_t> headerTexts;
  const int matched =
      MatchHeaders(m_texts, m_config.m_columns, headers, firstRowHeight,
                   startIndex, record != nullptr ? &headerTexts : nullptr);
  if (record != nullptr) {
    record->m_bCountFound = true;
    record->m_nFirstRowHeight = firstRowHeight;
    record->m_nStartIndex = startIndex;
    for (size_t k = 0; k < headers.size(); ++k) {
      const size_t i = headerTexts[k];
      record->m_headers.push_back(CHeaderRecord{
          i, headers[k].m_x, m_texts[i].m_y, headers[k].m_nColumn});
    }
    if (matched > 0) {
      // Every text before the data region lies at or above the lowest
      // header; the headers are among them.
      for (size_t i = 0; i < startIndex; ++i) {
        record->m_texts[i].m_place = TextPlace::kAboveData;
      }
      for (const CHeaderRecord& header : record->m_headers) {
        record->m_texts[header.m_nText].m_place = TextPlace::kHeader;
        record->m_texts[header.m_nText].m_nColumn = header.m_nColumn;
      }
    }
  }

  bool quantity = false;
  bool material = false;
  bool mark = false;
  for (const COrbHeader& header : headers) {
    const int type = m_config.m_columns[header.m_nColumn].m_nType;
    quantity = quantity || type == kColQuantity;
    material = material || type == kColMaterial;
    mark = mark || type == kColMajorMark || type == kColMinorMark ||
           type == kColPieceMark;
  }

  if (record != nullptr) {
    record->m_bQuantity = quantity;
    record->m_bMaterial = material;
    record->m_bMark = mark;
  }

  if (matched > 0) {
    m_nRows = BuildRows(m_texts, m_config.m_columns.size(), headers, startIndex,
                        m_rows, record);
    m_nColumns = matched;
  }
  return quantity && material && mark ? 0 : -2;
}
