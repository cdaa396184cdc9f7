// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rebuilt table of one input file, as a conversion job builds it, in a
// form the graphic display can draw over its texts: where the matched
// headers stand, the heights of the final rows, and where every text ended.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/Orb.h"
#include "input/OrbRecord.h"

// Whether a table could be built for the display.
enum class OverlayStatus {
  kApplies,          // the configuration applies (normal or inverted reading)
  kDoesNotApply,     // it applies in neither reading
  kNoConfiguration,  // the configuration file cannot be opened or is damaged
  kNoInput,          // the input file cannot be read
};

// A matched header: where it stands and the type of its configured column.
struct COverlayHeader {
  int32_t m_x = 0;  // as the input file gives it
  int m_nColumn = 0;
  std::string m_strType;  // the column type's name, e.g. "Quantity"
};

// Everything below is in the coordinates the input file gives (thousandths
// of a drawing unit, larger y higher up), whichever way the job read it, so
// that it can be laid over any reading of the same file.
struct CTableOverlay {
  OverlayStatus m_status = OverlayStatus::kNoInput;
  bool m_bInverted = false;  // the job read the file bottom to top

  // The texts of the job's reading (discard list applied), in its reading
  // order, and where each one ended. Empty unless m_status is kApplies.
  std::vector<COrbText> m_texts;
  std::vector<CTextRecord> m_places;  // one per text
  std::vector<COverlayHeader> m_headers;
  // Heights of the final rows, in the order the table has them (row 0 first).
  std::vector<int32_t> m_rowHeights;
  double m_dTolerance = 0.0;  // the row tolerance the search chose, in %

  // Texts that ended in no row (above the data, empty) and texts that lost
  // their cell to a later text.
  size_t UnplacedCount() const;
  size_t ReplacedCount() const;
};

// Reads the file at `inputPath` as a conversion job does: with the phrases
// of the discard list at `discardListPath` cut out, top to bottom, and, when
// the configuration at `configPath` does not apply, once more bottom to top
// (vertical axis inverted). Never throws for bad files: a damaged
// configuration gives kNoConfiguration.
// `page`: the drawing of the input (a PDF's page, 0-based).
CTableOverlay BuildTableOverlay(const std::string& inputPath,
                                const std::string& configPath,
                                const std::string& discardListPath,
                                size_t page = 0);

// One line for the display's status line, e.g. "Table: 12 rows at a row
// tolerance of 2.5 %, read top to bottom; 1 text in no row, 0 texts lost
// their cell".
std::string OverlayStatusText(const CTableOverlay& overlay);
