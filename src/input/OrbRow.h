// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// One row of the rebuilt table: size() cells, cell j belonging to configured
// column j. Only the cells that were given a text are stored, in column
// order, so a row costs memory for what it holds and not for how wide the
// table is: a tall table whose rows hold a text or two each, or a
// configuration of thousands of columns, stays small. A cell that was never
// set reads as "".
class COrbRow {
 public:
  struct Cell {
    size_t m_nColumn = 0;
    std::string m_text;
  };

  COrbRow() = default;
  // `width` cells, all empty.
  explicit COrbRow(size_t width) : m_nWidth(width) {}
  // Every cell given, in column order.
  COrbRow(std::initializer_list<std::string> cells) : m_nWidth(cells.size()) {
    size_t column = 0;
    for (const std::string& text : cells) {
      if (!text.empty()) m_cells.push_back(Cell{column, text});
      ++column;
    }
  }

  size_t size() const { return m_nWidth; }

  // Cell j; "" when it holds nothing (or j is past the end).
  const std::string& operator[](size_t j) const {
    const auto it = Lower(j);
    return it != m_cells.end() && it->m_nColumn == j ? it->m_text : Empty();
  }

  // The stored cell j, to change in place; null when it holds nothing.
  std::string* Find(size_t j) {
    const auto it = LowerIn(m_cells, j);
    return it != m_cells.end() && it->m_nColumn == j ? &it->m_text : nullptr;
  }

  // Puts `text` into cell j, replacing what it held; a j past the end widens
  // the row to j + 1 cells.
  void Set(size_t j, std::string text) {
    m_nWidth = std::max(m_nWidth, j + 1);
    const auto it = LowerIn(m_cells, j);
    if (it != m_cells.end() && it->m_nColumn == j) {
      it->m_text = std::move(text);
    } else {
      m_cells.insert(it, Cell{j, std::move(text)});
    }
  }

  // Room for `count` stored cells, so that setting them allocates once.
  void Reserve(size_t count) { m_cells.reserve(count); }

  // The stored cells in column order; a text changed through Find may have
  // become "", which reads like a cell never set.
  const std::vector<Cell>& Cells() const { return m_cells; }

  // The first stored cell at column `j` or after it.
  std::vector<Cell>::const_iterator Lower(size_t j) const {
    return LowerIn(m_cells, j);
  }

  // Same width and the same text in every cell.
  bool operator==(const COrbRow& other) const {
    if (m_nWidth != other.m_nWidth) return false;
    auto a = m_cells.begin();
    auto b = other.m_cells.begin();
    while (true) {
      while (a != m_cells.end() && a->m_text.empty()) ++a;
      while (b != other.m_cells.end() && b->m_text.empty()) ++b;
      if (a == m_cells.end() || b == other.m_cells.end()) {
        return a == m_cells.end() && b == other.m_cells.end();
      }
      if (a->m_nColumn != b->m_nColumn || a->m_text != b->m_text) return false;
      ++a;
      ++b;
    }
  }

 private:
  template <typename Cells>
  static auto LowerIn(Cells& cells, size_t j) -> decltype(cells.begin()) {
    return std::lower_bound(cells.begin(), cells.end(), j,
                            [](const Cell& cell, size_t column) {
                              return cell.m_nColumn < column;
                            });
  }

  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::vector<Cell> m_cells;  // ascending m_nColumn, each column once
  size_t m_nWidth = 0;
};
