// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CConfiguration;
class CKelItem;
class CLineTarget;
class COrb;
struct CKelRecord;  // input/OrbRecord.h

// Where the KEL writing loop gets its item records from. COrb::WriteKelFile
// reads the document's rows (ParseRow) and translates materials
// (TranslateMaterial); tests supply hand-made records.
class CKelItemSource {
 public:
  virtual ~CKelItemSource() = default;
  // Fills the cleared record whose m_nRow is set; true when the row is an
  // item (quantity and material non-empty, trimmed).
  virtual bool ParseRow(CKelItem& item) = 0;
  // Sets the output material code, sizes, grade, description and weight
  // per piece of a parsed item.
  virtual void TranslateMaterial(CKelItem& item) = 0;
  // False when row `row` holds no text at all: ParseRow would find no
  // quantity, no material and no mark in it, so it is not read.
  virtual bool RowHasText(int /*row*/) const { return true; }
  // Whether TranslateMaterial may run on another thread while ParseRow
  // reads the next rows.
  virtual bool TranslatesConcurrently() const { return false; }
};

// From this many rows on, and when the source allows it, items are
// translated and written on a second thread while the next rows are read.
inline constexpr int kKelPipelineRows = 4096;

// Writes the items of rows 0 .. rowCount - 1 to `target`, one KEL line each.
// Handed assemblies (rows whose record has m_bHanded set, covering m_nSpan
// rows) are written twice: first with " LH" after the first row's mark and
// every quantity of the group scaled by left/total, then with " RH" and
// right/total (a side without a count, or a total of 0, gets half).
// At most two handed groups are open at once. With m_bDiscardInOutput set,
// items of material code "MM" are dropped; a dropped main mark passes its
// upper case and hand suffix on to the next written item. Returns 0, or -1
// as soon as a line cannot be written (lines already written stay).
//
// With `record` (optional) given, it is replaced by what the writer did:
// per row whether it is an item (and which of quantity and material was
// missing when not), how many lines it gave and how often it was dropped;
// the lines written, the right-hand copies among them, the handed groups
// and the dropped items. The lines are the same with or without it.
int WriteKelRows(int rowCount, const CConfiguration& config,
                 CKelItemSource& source, CLineTarget& target,
                 CKelRecord* record = nullptr);

// Writes the rows of `orb` (read by ParseRow, translated by
// TranslateMaterial, at most the rows it holds) to `target`, recording into
// orb.m_pRecord when it is set. The writer may rewrite quantity cells.
// Returns 0, or -1 as soon as a line cannot be written.
int WriteKelDocument(COrb& orb, CLineTarget& target);
