// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The table rebuilding written as plain scans over all rows and headers, the
// way the rules read. Slow (quadratic) but obviously right; the fast
// functions of TableBuilder.h must give the same rows in every case.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "table/TableBuilder.h"

namespace reference {

inline bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

inline int MatchHeaders(const std::vector<COrbText>& texts,
                        const std::vector<CConfigColumnItem>& columns,
                        std::vector<COrbHeader>& headers, int32_t& height,
                        size_t& start) {
  int32_t lowest = std::numeric_limits<int32_t>::max();
  int matched = 0;
  for (size_t i = 0; i < texts.size() && texts[i].m_y > height; ++i) {
    for (size_t j = 0; j < columns.size(); ++j) {
      if (EqualIgnoringCase(columns[j].m_strHeader, texts[i].m_text)) {
        headers.push_back(COrbHeader{texts[i].m_x, static_cast<int>(j)});
        if (texts[i].m_y < lowest) lowest = texts[i].m_y;
        ++matched;
        break;
      }
    }
  }
  if (matched == 0) return 0;
  while (start > 0) {
    if (texts[start].m_y >= lowest) {
      ++start;
      break;
    }
    --start;
  }
  if (start == 0 && texts[0].m_y >= lowest) start = 1;
  height = lowest;
  return matched;
}

inline std::vector<int32_t> ClusterRows(const std::vector<COrbText>& texts,
                                        size_t start, double tolerance) {
  std::vector<int32_t> rows;
  if (start >= texts.size()) return rows;
  const int32_t top = texts[start].m_y;
  const int32_t bottom = texts.back().m_y;
  for (size_t i = start; i < texts.size(); ++i) {
    const int32_t y = texts[i].m_y;
    if (rows.empty()) {
      rows.push_back(y);
      continue;
    }
    if (top == bottom) continue;
    bool joins = false;
    for (int32_t row : rows) {
      const double q =
          std::fabs((static_cast<double>(row) - static_cast<double>(y)) /
                    (static_cast<double>(top) - static_cast<double>(bottom)));
      if (q < tolerance / 100) joins = true;
    }
    if (!joins) rows.push_back(y);
  }
  std::sort(rows.begin(), rows.end(),
            [](int32_t a, int32_t b) { return a > b; });
  return rows;
}

inline int64_t Distance(int32_t a, int32_t b) {
  return std::abs(static_cast<int64_t>(a) - static_cast<int64_t>(b));
}

inline CTableCell AssignCell(const COrbText& text,
                             const std::vector<int32_t>& rows,
                             const std::vector<COrbHeader>& headers) {
  CTableCell cell;
  int64_t best = std::numeric_limits<int64_t>::max();
  for (const COrbHeader& header : headers) {
    if (Distance(header.m_x, text.m_x) < best) {
      best = Distance(header.m_x, text.m_x);
      cell.m_nColumn = header.m_nColumn;
    }
  }
  best = std::numeric_limits<int64_t>::max();
  for (size_t r = 0; r < rows.size(); ++r) {
    if (Distance(rows[r], text.m_y) < best) {
      best = Distance(rows[r], text.m_y);
      cell.m_nRow = r;
    }
  }
  return cell;
}

inline double FindRowTolerance(const std::vector<COrbText>& texts,
                               const std::vector<COrbHeader>& headers,
                               size_t start) {
  double tolerance = 0.1;
  double step = 5.0;
  double best = 0.0;
  while (step > 0.1) {
    const std::vector<int32_t> rows =
        reference::ClusterRows(texts, start, tolerance);
    std::set<std::pair<size_t, int>> taken;
    bool conflict = false;
    for (size_t i = start; i < texts.size() && !conflict; ++i) {
      if (texts[i].m_text.empty()) continue;
      const CTableCell cell = reference::AssignCell(texts[i], rows, headers);
      conflict = !taken.insert({cell.m_nRow, cell.m_nColumn}).second;
    }
    if (!conflict && rows.size() < 2) {
      step = 0.1;
    } else if (!conflict) {
      best = tolerance;
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

// ApplyLoadedConfiguration on a copy of the document.
inline int Apply(COrb& orb) {
  int32_t height = 0;
  size_t start = 0;
  if (!FindFirstDataRow(orb.m_texts, height, start)) return -2;
  std::vector<COrbHeader> headers;
  const std::vector<CConfigColumnItem>& columns = orb.m_config.m_columns;
  const int matched =
      reference::MatchHeaders(orb.m_texts, columns, headers, height, start);
  bool quantity = false, material = false, mark = false;
  for (const COrbHeader& h : headers) {
    const int type = columns[h.m_nColumn].m_nType;
    quantity = quantity || type == 1;
    material = material || type == 2;
    mark = mark || (type >= 6 && type <= 8);
  }
  if (matched > 0) {
    const double tolerance =
        reference::FindRowTolerance(orb.m_texts, headers, start);
    const std::vector<int32_t> rows =
        reference::ClusterRows(orb.m_texts, start, tolerance);
    const size_t width = std::max(columns.size(), headers.size());
    orb.m_rows.assign(rows.size(), COrbRow(width));
    for (size_t i = start; i < orb.m_texts.size(); ++i) {
      if (orb.m_texts[i].m_text.empty()) continue;
      const CTableCell cell =
          reference::AssignCell(orb.m_texts[i], rows, headers);
      orb.m_rows[cell.m_nRow].Set(static_cast<size_t>(cell.m_nColumn),
                                  orb.m_texts[i].m_text);
    }
    orb.m_nRows = static_cast<int>(rows.size());
    orb.m_nColumns = matched;
  }
  return quantity && material && mark ? 0 : -2;
}

}  // namespace reference
