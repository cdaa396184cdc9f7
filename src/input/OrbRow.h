// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "text/ShortText.h"

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
    std::string_view Text() const { return m_pText->view(); }

   private:
    friend class COrbRow;
    bool m_bOwned = false;
    const CShortText* m_pText = nullptr;  // owned when m_bOwned
  };

  COrbRow() = default;
  // `width` cells, all empty.
  explicit COrbRow(size_t width) : m_nWidth(CheckedColumn(width)) {}
  // Every cell given, in column order.
  COrbRow(std::initializer_list<std::string> cells)
      : m_nWidth(CheckedColumn(cells.size())) {
    size_t column = 0;
    for (const std::string& text : cells) {
      if (!text.empty()) Set(column, text);
      ++column;
    }
  }
  COrbRow(const COrbRow& other) : m_nWidth(other.m_nWidth) {
    Reserve(other.m_nCount);
    for (const Cell& cell : other.Cells()) Set(cell.m_nColumn, cell.Text());
  }
  COrbRow(COrbRow&& other) noexcept
      : m_pBlock(std::exchange(other.m_pBlock, nullptr)),
        m_nCount(std::exchange(other.m_nCount, 0)),
        m_nWidth(other.m_nWidth) {}
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
      m_pBlock = std::exchange(other.m_pBlock, nullptr);
      m_nCount = std::exchange(other.m_nCount, 0);
      m_nWidth = other.m_nWidth;
    }
    return *this;
  }
  ~COrbRow() { FreeCells(); }

  size_t size() const { return m_nWidth; }

  // Cell j; "" when it holds nothing (or j is past the end). Valid until
  // the cell is set again.
  std::string_view operator[](size_t j) const {
    const auto it = Lower(j);
    return it != Cells().end() && it->m_nColumn == j ? it->Text()
                                                     : std::string_view();
  }

  // Puts a copy of `text` into cell j, replacing what it held; a j past the
  // end widens the row to j + 1 cells.
  void Set(size_t j, std::string_view text) {
    CheckedColumn(j + 1);
    Put(j, new CShortText(text), true);
  }

  // Makes cell j refer to `text`, which must stay alive, unchanged and in
  // place while the row (not a copy of it) refers to it.
  void Share(size_t j, const CShortText& text) {
    CheckedColumn(j + 1);
    Put(j, &text, false);
  }

  // Room for `count` stored cells, so that setting them allocates once.
  void Reserve(size_t count) {
    if (count > Capacity()) Grow(count);
  }

  // The stored cells in column order; a text set to "" reads like a cell
  // never set.
  std::span<const Cell> Cells() const { return {Data(), m_nCount}; }

  // The first stored cell at column `j` or after it.
  std::span<const Cell>::iterator Lower(size_t j) const {
    const std::span<const Cell> cells = Cells();
    return std::lower_bound(cells.begin(), cells.end(), j,
                            [](const Cell& cell, size_t column) {
                              return cell.m_nColumn < column;
                            });
  }

  // Same width and the same text in every cell.
  bool operator==(const COrbRow& other) const {
    if (m_nWidth != other.m_nWidth) return false;
    const std::span<const Cell> mine = Cells();
    const std::span<const Cell> theirs = other.Cells();
    auto a = mine.begin();
    auto b = theirs.begin();
    while (true) {
      while (a != mine.end() && a->Text().empty()) ++a;
      while (b != theirs.end() && b->Text().empty()) ++b;
      if (a == mine.end() || b == theirs.end()) {
        return a == mine.end() && b == theirs.end();
      }
      if (a->m_nColumn != b->m_nColumn || a->Text() != b->Text()) return false;
      ++a;
      ++b;
    }
  }

 private:
  // The cells live in one block after its capacity, so that a row takes 16
  // bytes and one allocation: a table of millions of rows, most of them
  // empty, stays small.
  struct Block {
    alignas(Cell) uint32_t m_nCapacity;
  };

  // Columns are configured column indices, which are ints.
  static uint32_t CheckedColumn(size_t width) {
    if (width >= UINT32_MAX) throw std::length_error("COrbRow: too wide");
    return static_cast<uint32_t>(width);
  }

  Cell* Data() const {
    return m_pBlock == nullptr ? nullptr
                               : reinterpret_cast<Cell*>(m_pBlock + 1);
  }
  size_t Capacity() const {
    return m_pBlock == nullptr ? 0 : m_pBlock->m_nCapacity;
  }

  void Grow(size_t capacity) {
    CheckedColumn(capacity);
    void* memory = ::operator new(sizeof(Block) + capacity * sizeof(Cell));
    Block* block = new (memory) Block{static_cast<uint32_t>(capacity)};
    Cell* cells = reinterpret_cast<Cell*>(block + 1);
    for (uint32_t k = 0; k < m_nCount; ++k) new (cells + k) Cell(Data()[k]);
    ::operator delete(m_pBlock);
    m_pBlock = block;
  }

  // Stores `text` (owned or not) as cell j.
  void Put(size_t j, const CShortText* text, bool owned) {
    Cell cell;
    cell.m_nColumn = static_cast<uint32_t>(j);
    cell.m_pText = text;
    cell.m_bOwned = owned;
    m_nWidth = std::max(m_nWidth, static_cast<uint32_t>(j + 1));
    // Cells mostly come in column order: then the new one goes last.
    const size_t at =
        m_nCount == 0 || Data()[m_nCount - 1].m_nColumn < j
            ? m_nCount
            : static_cast<size_t>(Lower(j) - Cells().begin());
    if (at < m_nCount && Data()[at].m_nColumn == j) {
      Free(Data()[at]);
      Data()[at] = cell;
      return;
    }
    if (m_nCount == Capacity()) {
      try {
        Grow(std::max<size_t>(4, Capacity() * 2));
      } catch (...) {
        Free(cell);
        throw;
      }
    }
    Cell* const cells = Data();
    for (size_t k = m_nCount; k > at; --k) new (cells + k) Cell(cells[k - 1]);
    new (cells + at) Cell(cell);
    ++m_nCount;
  }

  static void Free(const Cell& cell) {
    if (cell.m_bOwned) delete cell.m_pText;
  }

  void FreeCells() {
    for (const Cell& cell : Cells()) Free(cell);
    ::operator delete(m_pBlock);
    m_pBlock = nullptr;
    m_nCount = 0;
  }

  Block* m_pBlock = nullptr;
  uint32_t m_nCount = 0;  // cells stored, ascending m_nColumn, each once
  uint32_t m_nWidth = 0;
};
