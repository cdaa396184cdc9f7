// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConversionReport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <utility>

#include "config/ConfigText.h"

namespace {

using Json = nlohmann::ordered_json;

// Thousandths of a drawing unit as drawing units with three decimals,
// without a detour through floating point: 192060 -> "192.060".
std::string Units(int64_t value) {
  const int64_t magnitude = value < 0 ? -value : value;
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%03lld", value < 0 ? "-" : "",
                static_cast<long long>(magnitude / 1000),
                static_cast<long long>(magnitude % 1000));
  return text;
}

// `value` to 6 significant digits, whatever the locale (the JSON form
// keeps every digit).
std::string Number(double value) {
  char text[64];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value,
                                          std::chars_format::general, 6);
  return error == std::errc() ? std::string(text, end) : std::string("?");
}

std::string Plural(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Each byte as the Latin-1 character of its value, in UTF-8.
std::string Utf8(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text.push_back(c);
    } else {
      text.push_back(static_cast<char>(0xc0 | byte >> 6));
      text.push_back(static_cast<char>(0x80 | (byte & 0x3f)));
    }
  }
  return text;
}

// A height as the input file gives it: an inverted reading negated it.
int64_t FileY(const CConversionReport& report, int32_t y) {
  return report.m_bInverted ? -int64_t{y} : int64_t{y};
}

const char* OutcomeName(ReportOutcome outcome) {
  switch (outcome) {
    case ReportOutcome::kWritten:
      return "written";
    case ReportOutcome::kDoesNotApply:
      return "does not apply";
    case ReportOutcome::kFailed:
      return "failed";
    case ReportOutcome::kNotRun:
      break;
  }
  return "not run";
}

const char* PlaceName(TextPlace place) {
  switch (place) {
    case TextPlace::kAboveData:
      return "above data";
    case TextPlace::kHeader:
      return "header";
    case TextPlace::kEmpty:
      return "empty";
    case TextPlace::kCell:
      return "cell";
    case TextPlace::kReplaced:
      return "replaced";
    case TextPlace::kNoTable:
      break;
  }
  return "no table";
}

const char* WarningName(ReportWarningKind kind) {
  switch (kind) {
    case ReportWarningKind::kRowSearch:
      return "row search";
    case ReportWarningKind::kCellConflict:
      return "cell conflict";
    case ReportWarningKind::kNoItems:
      break;
  }
  return "no items";
}

// The type of a configured column as the configuration names it; a name
// that is not one of the 24 (a hand-made file) is quoted.
std::string TypeName(const CConfigColumnItem& column) {
  const bool known = column.m_nType >= 0 && column.m_nType < kColumnTypeCount &&
                     column.m_strType == kColumnTypeNames[column.m_nType];
  return known ? column.m_strType : QuoteText(column.m_strType);
}

// `column 3 "DESCRIPTION" (Material)`, counting from 1.
std::string ColumnLabel(const CConversionReport& report, int column) {
  std::string label = "column " + std::to_string(int64_t{column} + 1);
  if (column >= 0 && static_cast<size_t>(column) < report.m_columns.size()) {
    const CConfigColumnItem& item =
        report.m_columns[static_cast<size_t>(column)];
    label += " " + QuoteText(item.m_strHeader) + " (" + TypeName(item) + ")";
  }
  return label;
}

// `"W8X31" at (21.000, 80.000)`
std::string TextAt(const CConversionReport& report, size_t index) {
  if (index >= report.m_texts.size()) return "text " + std::to_string(index);
  const COrbText& text = report.m_texts[index];
  return QuoteText(text.m_text) + " at (" + Units(text.m_x) + ", " +
         Units(FileY(report, text.m_y)) + ")";
}

// The kinds of column that a configuration must match but did not.
std::vector<const char*> MissingKinds(const CTableRecord& table) {
  std::vector<const char*> missing;
  if (!table.m_bMark) missing.push_back("mark");
  if (!table.m_bQuantity) missing.push_back("quantity");
  if (!table.m_bMaterial) missing.push_back("material");
  return missing;
}

// How many header texts matched each configured column.
std::vector<size_t> MatchCounts(const CConversionReport& report) {
  std::vector<size_t> counts(report.m_columns.size(), 0);
  for (const CHeaderRecord& header : report.m_record.m_table.m_headers) {
    if (header.m_nColumn >= 0 &&
        static_cast<size_t>(header.m_nColumn) < counts.size()) {
      ++counts[static_cast<size_t>(header.m_nColumn)];
    }
  }
  return counts;
}

const CKelRowRecord* KelRow(const CConversionReport& report, size_t row) {
  const std::vector<CKelRowRecord>& rows = report.m_record.m_kel.m_rows;
  return report.m_bKelWriter && row < rows.size() ? &rows[row] : nullptr;
}

// "no quantity", "no material" or "no quantity and no material".
std::string Reason(const CKelRowRecord& row) {
  if (row.m_bNoQuantity && row.m_bNoMaterial) {
    return "no quantity and no material";
  }
  return row.m_bNoQuantity ? "no quantity" : "no material";
}

std::vector<std::string> ReasonList(const CKelRowRecord& row) {
  std::vector<std::string> reasons;
  if (row.m_bNoQuantity) reasons.push_back("no quantity");
  if (row.m_bNoMaterial) reasons.push_back("no material");
  return reasons;
}

class TextWriter {
 public:
  void Line(const std::string& line) {
    m_text += line;
    m_text += '\n';
  }
  void Section(const char* title) {
    if (!m_text.empty()) m_text += '\n';
    Line(title);
  }
  void Item(const std::string& line) { Line("  " + line); }
  std::string Take() { return std::move(m_text); }

 private:
  std::string m_text;
};

void WriteJob(const CConversionReport& report, TextWriter& out) {
  out.Section("Job");
  out.Item("input: " + report.m_strInput);
  std::string kind = std::string("file kind: ") + DrawingKindName(report.m_kind);
  if (report.m_kind == DrawingKind::kPdf) {
    kind += ", page " + std::to_string(report.m_nPage + 1) + " of " +
            std::to_string(report.m_nPages);
  }
  out.Item(kind);
  out.Item("output: " + report.m_strOutput +
           (report.m_bExport ? " (export)" : " (KEL file)"));
  out.Item("configuration: " + report.m_strConfig);
  switch (report.m_outcome) {
    case ReportOutcome::kWritten:
      out.Item("outcome: the output was written");
      break;
    case ReportOutcome::kDoesNotApply:
      out.Item(
          "outcome: nothing was written, the configuration does not "
          "apply");
      break;
    case ReportOutcome::kFailed:
      out.Item("outcome: the job failed");
      break;
    case ReportOutcome::kNotRun:
      out.Item("outcome: the job did not run");
      break;
  }
  for (const std::string& message : report.m_messages) {
    out.Item("message: " + message);
  }
}

void WriteReading(const CConversionReport& report, TextWriter& out) {
  const CReadRecord& read = report.m_record.m_read;
  out.Section("Reading");
  if (report.m_bInverted) {
    out.Item(
        "bottom to top (inverted): the configuration did not apply top "
        "to bottom");
  } else if (report.m_bInvertedTried) {
    out.Item(
        "top to bottom (normal): the configuration applies in neither "
        "reading");
  } else {
    out.Item("top to bottom (normal)");
  }
  out.Item(Plural(read.m_nLines, "line", "lines") + ": " +
           Plural(read.m_nEntities, "text line", "text lines") + ", " +
           std::to_string(read.m_nSkipped) + " skipped (" +
           std::to_string(read.m_nBlank) + " blank)");
  out.Item(Plural(read.m_nTexts, "text", "texts") + " (" +
           std::to_string(read.m_nEntities - read.m_nTexts) +
           " merged into a text at the same position)");
}

void WriteHeaders(const CConversionReport& report, TextWriter& out) {
  const CTableRecord& table = report.m_record.m_table;
  out.Section("Headers");
  if (!table.m_bBuilt) {
    out.Item("the configuration was not applied");
    return;
  }
  if (!table.m_bCountFound) {
    out.Item("no text is a count, so no table was found");
  }
  for (const CHeaderRecord& header : table.m_headers) {
    out.Item(TextAt(report, header.m_nText) + " matches " +
             ColumnLabel(report, header.m_nColumn));
  }
  const std::vector<size_t> counts = MatchCounts(report);
  for (size_t j = 0; j < counts.size(); ++j) {
    if (counts[j] == 0) {
      out.Item("no header matches " + ColumnLabel(report, static_cast<int>(j)));
    }
  }
  if (report.m_bApplies) {
    out.Item(
        "the configuration applies: a mark, a quantity and a material "
        "column matched");
  } else {
    const std::vector<const char*> kinds = MissingKinds(table);
    std::string missing;
    for (size_t k = 0; k < kinds.size(); ++k) {
      missing += k == 0 ? "" : k + 1 == kinds.size() ? " or " : ", ";
      missing += kinds[k];
    }
    out.Item("the configuration does not apply: no " + missing +
             " column matched");
  }
}

void WriteRows(const CConversionReport& report, TextWriter& out) {
  const CTableRecord& table = report.m_record.m_table;
  out.Section("Rows");
  if (table.m_headers.empty()) {
    out.Item("no rows were built: no header matched");
    return;
  }
  out.Item(Plural(table.m_rowHeights.size(), "row", "rows") +
           " at a row tolerance of " + Number(table.m_dTolerance) +
           " %; the last header line is at " +
           Units(FileY(report, table.m_nFirstRowHeight)));
  for (size_t r = 0; r < table.m_rowHeights.size(); ++r) {
    std::string line = "row " + std::to_string(r + 1) + " at " +
                       Units(FileY(report, table.m_rowHeights[r]));
    if (const CKelRowRecord* kel = KelRow(report, r)) {
      if (kel->m_bItem) {
        line += ": item, " +
                Plural(static_cast<size_t>(kel->m_nLines), "line", "lines");
        if (kel->m_nDiscarded > 0) {
          line +=
              " (dropped " +
              Plural(static_cast<size_t>(kel->m_nDiscarded), "time", "times") +
              " as \"MM\")";
        }
      } else {
        line += ": no item (" + Reason(*kel) + ")";
      }
    }
    std::string cells;
    if (r < report.m_rows.size()) {
      for (const COrbRow::Cell& cell : report.m_rows[r].Cells()) {
        if (!cell.m_text.empty()) cells += " " + QuoteText(cell.m_text);
      }
    }
    out.Item(line + (cells.empty() ? ", empty" : ":" + cells));
  }
}

void WriteUnplaced(const CConversionReport& report, TextWriter& out) {
  const CTableRecord& table = report.m_record.m_table;
  out.Section("Texts in no row");
  size_t listed = 0;
  for (size_t i = 0; i < table.m_texts.size(); ++i) {
    const CTextRecord& text = table.m_texts[i];
    std::string why;
    switch (text.m_place) {
      case TextPlace::kNoTable:
        why = "no table was built";
        break;
      case TextPlace::kAboveData:
        why = "above the data";
        break;
      case TextPlace::kEmpty:
        why = "empty";
        break;
      case TextPlace::kReplaced:
        why = "lost its cell (row " + std::to_string(text.m_nRow + 1) + ", " +
              ColumnLabel(report, text.m_nColumn) + ") to " +
              TextAt(report, text.m_nReplacedBy);
        break;
      case TextPlace::kHeader:
      case TextPlace::kCell:
        continue;
    }
    out.Item(TextAt(report, i) + ": " + why);
    ++listed;
  }
  if (listed == 0) out.Item("none");
}

void WriteKel(const CConversionReport& report, TextWriter& out) {
  const CKelRecord& kel = report.m_record.m_kel;
  out.Section("KEL file");
  out.Item(Plural(kel.m_nLines, "line", "lines") + " written, " +
           std::to_string(kel.m_nHandedLines) + " of them handed copies (" +
           Plural(kel.m_nHandedGroups, "handed assembly", "handed assemblies") +
           ")");
  out.Item(std::to_string(report.ItemRows()) + " of " +
           Plural(kel.m_rows.size(), "row", "rows") + " are items; " +
           Plural(kel.m_nDiscarded, "\"MM\" item", "\"MM\" items") +
           " discarded");
  if (!kel.m_bFinished) out.Item("the writer stopped: a line was not written");
}

// The placed texts of a table record, as JSON.
Json TextsJson(const CConversionReport& report) {
  const CTableRecord& table = report.m_record.m_table;
  Json texts = Json::array();
  for (size_t i = 0; i < report.m_texts.size(); ++i) {
    const COrbText& text = report.m_texts[i];
    Json entry = {{"x", text.m_x},
                  {"y", FileY(report, text.m_y)},
                  {"text", Utf8(text.m_text)}};
    if (i < table.m_texts.size()) {
      const CTextRecord& place = table.m_texts[i];
      entry["place"] = PlaceName(place.m_place);
      if (place.m_place == TextPlace::kCell ||
          place.m_place == TextPlace::kReplaced) {
        entry["row"] = place.m_nRow;
      }
      if (place.m_nColumn >= 0) entry["column"] = place.m_nColumn;
      if (place.m_place == TextPlace::kReplaced) {
        entry["replaced_by"] = place.m_nReplacedBy;
      }
    }
    texts.push_back(std::move(entry));
  }
  return texts;
}

Json TableJson(const CConversionReport& report) {
  const CTableRecord& table = report.m_record.m_table;
  Json json;
  json["count_found"] = table.m_bCountFound;
  json["applies"] = report.m_bApplies;
  Json missing = Json::array();
  for (const char* kind : MissingKinds(table)) missing.push_back(kind);
  json["missing"] = std::move(missing);
  json["first_row_height"] = FileY(report, table.m_nFirstRowHeight);
  json["data_start"] = table.m_nStartIndex;

  const std::vector<size_t> counts = MatchCounts(report);
  Json columns = Json::array();
  for (size_t j = 0; j < report.m_columns.size(); ++j) {
    const CConfigColumnItem& item = report.m_columns[j];
    columns.push_back({{"header", Utf8(item.m_strHeader)},
                       {"type", Utf8(item.m_strType)},
                       {"type_index", item.m_nType},
                       {"headers_matched", counts[j]}});
  }
  json["columns"] = std::move(columns);

  Json headers = Json::array();
  for (const CHeaderRecord& header : table.m_headers) {
    headers.push_back({{"text", header.m_nText},
                       {"x", header.m_x},
                       {"y", FileY(report, header.m_y)},
                       {"column", header.m_nColumn}});
  }
  json["headers"] = std::move(headers);
  json["tolerance"] = table.m_dTolerance;

  Json rows = Json::array();
  for (size_t r = 0; r < table.m_rowHeights.size(); ++r) {
    Json row = {{"y", FileY(report, table.m_rowHeights[r])}};
    Json cells = Json::array();
    if (r < report.m_rows.size()) {
      const COrbRow& cellsOfRow = report.m_rows[r];
      for (size_t j = 0; j < cellsOfRow.size(); ++j) {
        cells.push_back(Utf8(cellsOfRow[j]));
      }
    }
    row["cells"] = std::move(cells);
    if (const CKelRowRecord* kel = KelRow(report, r)) {
      row["item"] = kel->m_bItem;
      row["missing"] = ReasonList(*kel);
      row["lines"] = kel->m_nLines;
      row["discarded"] = kel->m_nDiscarded;
    }
    rows.push_back(std::move(row));
  }
  json["rows"] = std::move(rows);
  json["texts"] = TextsJson(report);

  Json conflicts = Json::array();
  for (const CCellConflict& conflict : table.m_conflicts) {
    conflicts.push_back({{"earlier", conflict.m_nEarlier},
                         {"later", conflict.m_nLater},
                         {"row", conflict.m_nRow},
                         {"column", conflict.m_nColumn}});
  }
  json["conflicts"] = std::move(conflicts);
  return json;
}

}  // namespace

void CConversionReport::Start(const std::string& inputPath,
                              const std::string& configPath, bool exportRows) {
  *this = CConversionReport();
  m_strInput = inputPath;
  m_strConfig = configPath;
  m_bExport = exportRows;
}

void CConversionReport::TakeDocument(COrb& document, COrbRecord& record,
                                     bool inverted, bool applies) {
  m_bDocument = true;
  m_bInverted = inverted;
  m_bApplies = applies;
  m_columns = std::move(document.m_config.m_columns);
  m_texts = std::move(document.m_texts);
  const size_t rowCount =
      std::min(static_cast<size_t>(std::max(document.m_nRows, 0)),
               document.m_rows.size());
  m_rows = std::move(document.m_rows);
  m_rows.resize(rowCount);
  m_record = std::move(record);
  document.m_pRecord = nullptr;
}

void CConversionReport::Finish() {
  m_warnings.clear();
  const CTableRecord& table = m_record.m_table;
  const CKelRecord& kel = m_record.m_kel;
  if (m_bKelWriter && kel.m_bFinished && kel.m_nLines == 0) {
    m_warnings.push_back(
        {ReportWarningKind::kNoItems,
         "no item was written: " + std::to_string(ItemRows()) + " of " +
             Plural(kel.m_rows.size(), "row", "rows") + " are items, " +
             Plural(kel.m_nDiscarded, "\"MM\" item", "\"MM\" items") +
             " discarded"});
  }
  if (table.m_rowHeights.size() > 1 && !(table.m_dTolerance > 0)) {
    m_warnings.push_back(
        {ReportWarningKind::kRowSearch,
         "the row search ended at a tolerance of " +
             Number(table.m_dTolerance) +
             " % (0 or below): every text is in a row of its own, as happens "
             "in tall tables"});
  }
  for (size_t k = 0; k < table.m_conflicts.size(); ++k) {
    const CCellConflict& conflict = table.m_conflicts[k];
    m_warnings.push_back(
        {ReportWarningKind::kCellConflict,
         TextAt(*this, conflict.m_nEarlier) + " and " +
             TextAt(*this, conflict.m_nLater) + " fell into one cell (row " +
             std::to_string(conflict.m_nRow + 1) + ", " +
             ColumnLabel(*this, conflict.m_nColumn) + "): the later one, " +
             QuoteText(conflict.m_nLater < m_texts.size()
                           ? m_texts[conflict.m_nLater].m_text
                           : std::string()) +
             ", replaced the earlier one",
         k});
  }
}

size_t CConversionReport::ItemRows() const {
  size_t items = 0;
  if (!m_bKelWriter) return 0;
  for (const CKelRowRecord& row : m_record.m_kel.m_rows) {
    if (row.m_bItem) ++items;
  }
  return items;
}

size_t CConversionReport::RowsWithoutItem() const {
  return m_bKelWriter ? m_record.m_kel.m_rows.size() - ItemRows() : 0;
}

std::string FormatReportText(const CConversionReport& report) {
  TextWriter out;
  out.Line("Kelconv conversion report");
  WriteJob(report, out);
  if (report.m_bDocument) {
    WriteReading(report, out);
    WriteHeaders(report, out);
    if (report.m_record.m_table.m_bBuilt) {
      WriteRows(report, out);
      WriteUnplaced(report, out);
    }
    if (report.m_bKelWriter) WriteKel(report, out);
  }
  out.Section("Warnings");
  for (const CReportWarning& warning : report.m_warnings) {
    out.Item(warning.m_strText);
  }
  if (report.m_warnings.empty()) out.Item("none");
  return out.Take();
}

std::string FormatReportJson(const CConversionReport& report) {
  Json json;
  json["report"] = "kelconv conversion";
  json["version"] = 1;
  json["input"] = Utf8(report.m_strInput);
  json["file_kind"] = DrawingKindName(report.m_kind);
  json["page"] = nullptr;
  if (report.m_kind == DrawingKind::kPdf) {
    json["page"] = report.m_nPage + 1;
    json["pages"] = report.m_nPages;
  }
  json["output"] = Utf8(report.m_strOutput);
  json["configuration"] = Utf8(report.m_strConfig);
  json["kind"] = report.m_bExport ? "export" : "kel";
  json["outcome"] = OutcomeName(report.m_outcome);
  Json messages = Json::array();
  for (const std::string& message : report.m_messages) {
    messages.push_back(Utf8(message));
  }
  json["messages"] = std::move(messages);

  json["reading"] = nullptr;
  json["table"] = nullptr;
  json["kel"] = nullptr;
  if (report.m_bDocument) {
    const CReadRecord& read = report.m_record.m_read;
    json["reading"] = {
        {"orientation", report.m_bInverted ? "inverted" : "normal"},
        {"inverted_tried", report.m_bInvertedTried},
        {"lines", read.m_nLines},
        {"text_lines", read.m_nEntities},
        {"skipped_lines", read.m_nSkipped},
        {"blank_lines", read.m_nBlank},
        {"texts", read.m_nTexts}};
    if (report.m_record.m_table.m_bBuilt) json["table"] = TableJson(report);
    if (report.m_bKelWriter) {
      const CKelRecord& kel = report.m_record.m_kel;
      json["kel"] = {{"lines", kel.m_nLines},
                     {"handed_copies", kel.m_nHandedLines},
                     {"handed_groups", kel.m_nHandedGroups},
                     {"rows", kel.m_rows.size()},
                     {"items", report.ItemRows()},
                     {"rows_without_item", report.RowsWithoutItem()},
                     {"mm_discarded", kel.m_nDiscarded},
                     {"finished", kel.m_bFinished}};
    }
  }
  Json warnings = Json::array();
  for (const CReportWarning& warning : report.m_warnings) {
    // Warnings quote their texts in UTF-8 already.
    Json entry = {{"kind", WarningName(warning.m_kind)},
                  {"text", warning.m_strText}};
    if (warning.m_kind == ReportWarningKind::kCellConflict) {
      entry["conflict"] = warning.m_nConflict;
    }
    warnings.push_back(std::move(entry));
  }
  json["warnings"] = std::move(warnings);
  return json.dump(2) + "\n";
}
