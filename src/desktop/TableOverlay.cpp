// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/TableOverlay.h"

#include <charconv>
#include <memory>
#include <utility>

#include "config/Archive.h"
#include "input/DiscardList.h"
#include "input/InputFile.h"

namespace {

// An inverted reading negated every height; readings clamp coordinates to
// +-2147483647, so negating back stays in range.
int32_t FileY(int32_t y, bool inverted) { return inverted ? -y : y; }

std::string Plural(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// `value` to 3 significant digits, whatever the locale.
std::string Number(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value,
                                          std::chars_format::general, 3);
  return error == std::errc() ? std::string(text, end) : std::string("?");
}

// Fills `overlay` from a document whose configuration applies.
void TakeTable(COrb& orb, const COrbRecord& record, bool inverted,
               CTableOverlay& overlay) {
  const CTableRecord& table = record.m_table;
  overlay.m_status = OverlayStatus::kApplies;
  overlay.m_bInverted = inverted;
  overlay.m_texts = std::move(orb.m_texts);
  for (COrbText& text : overlay.m_texts) text.m_y = FileY(text.m_y, inverted);
  overlay.m_places = table.m_texts;
  overlay.m_places.resize(overlay.m_texts.size());
  for (const CHeaderRecord& header : table.m_headers) {
    COverlayHeader entry;
    entry.m_x = header.m_x;
    entry.m_nColumn = header.m_nColumn;
    if (header.m_nColumn >= 0 &&
        static_cast<size_t>(header.m_nColumn) < orb.m_config.m_columns.size()) {
      entry.m_strType =
          orb.m_config.m_columns[static_cast<size_t>(header.m_nColumn)]
              .m_strType;
    }
    overlay.m_headers.push_back(std::move(entry));
  }
  overlay.m_rowHeights.reserve(table.m_rowHeights.size());
  for (const int32_t height : table.m_rowHeights) {
    overlay.m_rowHeights.push_back(FileY(height, inverted));
  }
  overlay.m_dTolerance = table.m_dTolerance;
}

}  // namespace

size_t CTableOverlay::UnplacedCount() const {
  size_t count = 0;
  for (const CTextRecord& place : m_places) {
    count += place.m_place == TextPlace::kAboveData ||
             place.m_place == TextPlace::kEmpty ||
             place.m_place == TextPlace::kNoTable;
  }
  return count;
}

size_t CTableOverlay::ReplacedCount() const {
  size_t count = 0;
  for (const CTextRecord& place : m_places) {
    count += place.m_place == TextPlace::kReplaced;
  }
  return count;
}

CTableOverlay BuildTableOverlay(const std::string& inputPath,
                                const std::string& configPath,
                                const std::string& discardListPath,
                                size_t page) {
  CTableOverlay overlay;
  std::vector<std::string> discardList;
  LoadDiscardList(discardListPath, discardList);

  // Both readings parse the same bytes, read once.
  CInputFile input;
  const bool loaded = input.Load(inputPath);
  for (const bool inverted : {false, true}) {
    COrbRecord record;
    COrb orb;
    orb.m_pRecord = &record;
    if (!loaded ||
        orb.ReadDrawing(input, page, false, inverted, &discardList) != 0) {
      overlay.m_status = OverlayStatus::kNoInput;
      return overlay;
    }
    int applied = -1;
    try {
      applied = orb.ApplyConfiguration(configPath);
    } catch (const CArchiveException&) {
      applied = -1;
    }
    if (applied == 0) {
      TakeTable(orb, record, inverted, overlay);
      return overlay;
    }
    if (applied != -2) {
      overlay.m_status = OverlayStatus::kNoConfiguration;
      return overlay;
    }
    overlay.m_status = OverlayStatus::kDoesNotApply;
  }
  return overlay;
}

std::string OverlayStatusText(const CTableOverlay& overlay) {
  switch (overlay.m_status) {
    case OverlayStatus::kNoInput:
      return "Table: the input file cannot be read";
    case OverlayStatus::kNoConfiguration:
      return "Table: the configuration file cannot be read";
    case OverlayStatus::kDoesNotApply:
      return "Table: the configuration does not apply to this drawing in "
             "either reading (it must match a mark, a quantity and a "
             "material column)";
    case OverlayStatus::kApplies:
      break;
  }
  const size_t replaced = overlay.ReplacedCount();
  return "Table: " + Plural(overlay.m_rowHeights.size(), "row", "rows") +
         " at a row tolerance of " + Number(overlay.m_dTolerance) +
         " %, read " +
         (overlay.m_bInverted ? "bottom to top (inverted)" : "top to bottom") +
         "; " + Plural(overlay.UnplacedCount(), "text", "texts") +
         " in no row, " + Plural(replaced, "text", "texts") +
         (replaced == 1 ? " lost its cell" : " lost their cell");
}
