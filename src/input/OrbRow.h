// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// One row of the rebuilt table: size() cells, cell j belonging to configured
// column j. Only the cells that were given a text are stored, in column
// order, so a row costs memory for what it holds and not for how wide the
// table is: a tall table whose rows hold a text or two each, or a
// configuration of thousands of columns, stays small. A cell that was never
// set reads as "".
//
// A cell either owns its text (Set) or refers to a text kept elsewhere
// (Share): the table builder's rows refer to the texts of their document,
// so that a text is stored once however large the table. A copy of a row
// owns all its texts; a moved row keeps referring.
class COrbRow {
 public:
  class Cell {
   public:
    uint32_t m_nColumn = 0;
    const std::string& Text() const { return *m_pText; }

   private:
    friend class COrbRow;
    bool m_bOwned = false;
    const std::string* m_pText = nullptr;  // owned when m_bOwned
  };

  COrbRow() = default;
  // `width` cells, all empty.
  explicit COrbRow(size_t width) : m_nWidth(width) {}
  // Every cell given, in column order.
  COrbRow(std::initializer_list<std::string> cells) : m_nWidth(cells.size()) {
    size_t column = 0;
    for (const std::string& text : cells) {
      if (!text.empty()) Set(column, text);
      ++column;
    }
  }
  COrbRow(const COrbRow& other) : m_nWidth(other.m_nWidth) { CopyCells(other); }
  COrbRow(COrbRow&& other) noexcept
      : m_cells(std::move(other.m_cells)), m_nWidth(other.m_nWidth) {
    other.m_cells.clear();
  }
  COrbRow& operator=(const COrbRow& other) {
    if (this != &other) {
      COrbRow copy(other);
      *this = std::move(copy);
    }
    return *this;
  }
  COrbRow& operator=(COrbRow&& other) noexcept {
    if (this != &other) {
      FreeCells();
      m_cells = std::move(other.m_cells);
      other.m_cells.clear();
      m_nWidth = other.m_nWidth;
    }
    return *this;
  }
  ~COrbRow() { FreeCells(); }

  size_t size() const { return m_nWidth; }

  // Cell j; "" when it holds nothing (or j is past the end).
  const std::string& operator[](size_t j) const {
    const auto it = Lower(j);
    return it != m_cells.end() && it->m_nColumn == j ? it->Text() : Empty();
  }

  // The stored cell j, to change in place (a cell that referred to a text
  // gets its own copy first); null when it holds nothing.
  std::string* Find(size_t j) {
    const auto it = LowerIn(m_cells, j);
    if (it == m_cells.end() || it->m_nColumn != j) return nullptr;
    if (!it->m_bOwned) {
      it->m_pText = new std::string(*it->m_pText);
      it->m_bOwned = true;
    }
    return const_cast<std::string*>(it->m_pText);
  }

  // Puts a copy of `text` into cell j, replacing what it held; a j past the
  // end widens the row to j + 1 cells.
  void Set(size_t j, std::string text) {
    Put(j, new std::string(std::move(text)), true);
  }

  // Makes cell j refer to `text`, which must stay alive, unchanged and in
  // place while the row (not a copy of it) refers to it.
  void Share(size_t j, const std::string& text) { Put(j, &text, false); }

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
      while (a != m_cells.end() && a->Text().empty()) ++a;
      while (b != other.m_cells.end() && b->Text().empty()) ++b;
      if (a == m_cells.end() || b == other.m_cells.end()) {
        return a == m_cells.end() && b == other.m_cells.end();
      }
      if (a->m_nColumn != b->m_nColumn || a->Text() != b->Text()) return false;
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

  // Stores `text` (owned or not) as cell j. Columns are configured column
  // indices, which are ints.
  void Put(size_t j, const std::string* text, bool owned) {
    if (j >= UINT32_MAX) {
      if (owned) delete text;
      throw std::length_error("COrbRow: column out of range");
    }
    Cell cell;
    cell.m_nColumn = static_cast<uint32_t>(j);
    cell.m_pText = text;
    cell.m_bOwned = owned;
    try {
      m_nWidth = std::max(m_nWidth, j + 1);
      const auto it = LowerIn(m_cells, j);
      if (it != m_cells.end() && it->m_nColumn == j) {
        Free(*it);
        *it = cell;
      } else {
        m_cells.insert(it, cell);
      }
    } catch (...) {
      Free(cell);
      throw;
    }
  }

  void CopyCells(const COrbRow& other) {
    m_cells.reserve(other.m_cells.size());
    for (const Cell& cell : other.m_cells) Set(cell.m_nColumn, cell.Text());
  }

  static void Free(const Cell& cell) {
    if (cell.m_bOwned) delete cell.m_pText;
  }

  void FreeCells() {
    for (const Cell& cell : m_cells) Free(cell);
    m_cells.clear();
  }

  std::vector<Cell> m_cells;  // ascending m_nColumn, each column once
  size_t m_nWidth = 0;
};
