// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What was done to one document on its way to the output, recorded for the
// conversion report and the picture of the rebuilt table: how its file was
// read, how its table was built, and what the KEL writer made of every row.
//
// A caller that wants the record points COrb::m_pRecord at one before it
// reads the document; the reader, the table builder and the KEL writer each
// fill their part and leave the other parts alone. With m_pRecord null
// nothing is recorded and nothing costs more than a test of the pointer.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/DrawingKind.h"

// How the lines of the input file were taken: every line is either an
// entity line (it begins with "(" after leading white space) or skipped.
// Of a DXF or PDF, every text counts as one entity line.
struct CReadRecord {
  bool m_bRead = false;    // the file was read to its end
  DrawingKind m_kind = DrawingKind::kOrb;
  size_t m_nPage = 0;      // the drawing read: a PDF's page, 0-based
  size_t m_nLines = 0;     // lines of the file
  size_t m_nEntities = 0;  // entity lines, each one text before merging
  size_t m_nSkipped = 0;   // lines that are not entity lines (blank too)
  size_t m_nBlank = 0;     // of the skipped lines, those only white space
  size_t m_nTexts = 0;     // texts after merging those at one position
};

// Where one text of the document ended up.
enum class TextPlace : uint8_t {
  kNoTable,    // no table was built: no count, or no header matched
  kAboveData,  // above the first data row and no configured header
  kHeader,     // a matched header
  kEmpty,      // an empty text of the data region: it fills no cell
  kCell,       // holds cell (m_nRow, m_nColumn) of the final rows
  kReplaced,   // fell into cell (m_nRow, m_nColumn), which a later text took
};

// The place of one text (index i of COrb::m_texts).
struct CTextRecord {
  TextPlace m_place = TextPlace::kNoTable;
  int m_nColumn = -1;        // configured column (kHeader, kCell, kReplaced)
  size_t m_nRow = 0;         // row of the final rows (kCell, kReplaced)
  size_t m_nReplacedBy = 0;  // the text that took the cell (kReplaced)
};

// A matched header text and the configured column it stands for.
struct CHeaderRecord {
  size_t m_nText = 0;  // index in COrb::m_texts
  int32_t m_x = 0;
  int32_t m_y = 0;
  int m_nColumn = 0;
};

// Two texts of the final pass that fell into one cell: the later one, in
// reading order, replaced the earlier one.
struct CCellConflict {
  size_t m_nEarlier = 0;  // index in COrb::m_texts
  size_t m_nLater = 0;
  size_t m_nRow = 0;
  int m_nColumn = 0;
};

// How the table was rebuilt (see table/TableBuilder.h).
struct CTableRecord {
  bool m_bBuilt = false;       // the table builder ran on the document
  bool m_bCountFound = false;  // some text reads as a count
  // The first text of the data region; the texts before it are headers or
  // lie above the data. Meaningful when headers matched.
  size_t m_nStartIndex = 0;
  // Height of the topmost count line, then of the lowest matched header.
  int32_t m_nFirstRowHeight = 0;
  std::vector<CHeaderRecord> m_headers;  // in the order they were matched
  // The configuration applies: a quantity, a material and a mark column
  // were matched.
  bool m_bQuantity = false;
  bool m_bMaterial = false;
  bool m_bMark = false;
  double m_dTolerance = 0.0;  // the row tolerance the search chose, in %
  std::vector<int32_t> m_rowHeights;       // of the final rows, top first
  std::vector<CTextRecord> m_texts;        // one per text of the document
  std::vector<CCellConflict> m_conflicts;  // in reading order of the later
};

// Why a row was not written as an item, and how often it was written.
struct CKelRowRecord {
  bool m_bVisited = false;     // the writer reached the row
  bool m_bItem = false;        // quantity and material found
  bool m_bNoQuantity = false;  // (when no item) the quantity was empty
  bool m_bNoMaterial = false;  // (when no item) the material was empty
  int m_nLines = 0;            // KEL lines written for it (2 when handed)
  int m_nDiscarded = 0;        // times it was dropped as an "MM" item
};

// What the KEL writer did.
struct CKelRecord {
  bool m_bFinished = false;           // every row was walked without a failure
  std::vector<CKelRowRecord> m_rows;  // one per row the writer walked
  size_t m_nLines = 0;                // lines written, handed copies included
  size_t m_nHandedLines = 0;          // of those, lines of rows written before
  size_t m_nHandedGroups = 0;         // handed assemblies written twice
  size_t m_nDiscarded = 0;            // "MM" items dropped (each copy counted)
};

// The whole record of one document.
struct COrbRecord {
  CReadRecord m_read;
  CTableRecord m_table;
  CKelRecord m_kel;
};
