// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/KelRowIndex.h"

#include <algorithm>
#include <climits>
#include <functional>

#include "config/Configuration.h"
#include "items/KelItem.h"

namespace {

// The mark of row `row` as ParseMarks reads it; "" when it has none.
const std::string& MarkOfRow(CKelItem& probe, const std::vector<COrbRow>& rows,
                             const CConfiguration& config, size_t row) {
  probe.m_nRow = static_cast<int>(row);
  probe.m_strMark.clear();
  probe.ParseMarks(rows, config);
  return probe.m_strMark;
}

}  // namespace

CKelRowIndex::CKelRowIndex(const std::vector<COrbRow>& rows,
                           const CConfiguration& config) {
  CKelItem probe;
  for (size_t k = 0; k < rows.size(); ++k) {
    const std::string& mark = MarkOfRow(probe, rows, config, k);
    if (!mark.empty()) {
      m_markHashes.emplace_back(std::hash<std::string>()(mark),
                                static_cast<int>(k));
    }
  }
  std::sort(m_markHashes.begin(), m_markHashes.end());
}

int CKelRowIndex::FirstRowOfMark(const std::vector<COrbRow>& rows,
                                 const CConfiguration& config,
                                 const std::string& mark) const {
  const size_t hash = std::hash<std::string>()(mark);
  CKelItem probe;
  for (auto it = std::lower_bound(m_markHashes.begin(), m_markHashes.end(),
                                  std::make_pair(hash, INT_MIN));
       it != m_markHashes.end() && it->first == hash; ++it) {
    // Rows in order: the first one whose mark is really `mark` wins.
    if (MarkOfRow(probe, rows, config, static_cast<size_t>(it->second)) ==
        mark) {
      return it->second;
    }
  }
  return -1;
}

int CKelRowIndex::NextMainRow(std::vector<COrbRow>& rows,
                              const CConfiguration& config, int row,
                              int rowCount) {
  if (m_nLookAheadRowCount < 0 && rowCount >= 0) {
    // Rows past rowCount are never looked at; rows past the table are empty
    // and so never items.
    const int limit =
        static_cast<int>(std::min<size_t>(rows.size(), size_t(rowCount)));
    m_nextMainRow.assign(limit, rowCount);
    int next = rowCount;
    std::vector<char> isMain(limit, 0);
    CKelItem ahead;
    for (int k = 0; k < limit; ++k) {
      ahead.Clear();
      ahead.m_nRow = k;
      isMain[k] = ahead.ParseRow(rows, config, -1, this) &&
                  IsMainMarkRecord(ahead, config);
    }
    for (int k = limit - 1; k >= 0; --k) {
      m_nextMainRow[k] = next;
      if (isMain[k]) next = k;
    }
    m_nLookAheadRowCount = rowCount;
  }
  if (rowCount != m_nLookAheadRowCount || row < 0) return -1;
  if (row >= static_cast<int>(m_nextMainRow.size())) return rowCount;
  return m_nextMainRow[row];
}
