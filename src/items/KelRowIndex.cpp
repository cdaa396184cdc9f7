// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/KelRowIndex.h"

#include <algorithm>

#include "config/Configuration.h"
#include "items/KelItem.h"

CKelRowIndex::CKelRowIndex(const std::vector<COrbRow>& rows,
                           const CConfiguration& config) {
  for (size_t k = 0; k < rows.size(); ++k) {
    CKelItem item;
    item.m_nRow = static_cast<int>(k);
    item.ParseMarks(rows, config);
    if (!item.m_strMark.empty()) {
      m_firstRowOfMark.emplace(item.m_strMark, static_cast<int>(k));
    }
  }
}

int CKelRowIndex::FirstRowOfMark(const std::string& mark) const {
  const auto found = m_firstRowOfMark.find(mark);
  return found == m_firstRowOfMark.end() ? -1 : found->second;
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
    for (int k = 0; k < limit; ++k) {
      CKelItem ahead;
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
