// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConversionReport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "config/ConfigText.h"
#include "job/JsonStream.h"

namespace {

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
    case ReportOutcome::kPreviewed:
      return "previewed";
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
    case ReportWarningKind::kUnmatchedColumns:
      return "unmatched columns";
    case ReportWarningKind::kFewItems:
      return "few items";
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
  explicit TextWriter(CTextStream& out) : m_out(out) {}
  void Line(const std::string& line) {
    m_out.Put(line);
    m_out.Put("\n");
    m_bEmpty = false;
  }
  void Section(const char* title) {
    if (!m_bEmpty) m_out.Put("\n");
    Line(title);
  }
  void Item(const std::string& line) { Line("  " + line); }

 private:
  CTextStream& m_out;
  bool m_bEmpty = true;
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
    case ReportOutcome::kPreviewed:
      out.Item("outcome: previewed, nothing was written");
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
        if (!cell.Text().empty()) {
          cells += " " + QuoteText(std::string(cell.Text()));
        }
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
void WriteTextsJson(const CConversionReport& report, CJsonWriter& json) {
  const CTableRecord& table = report.m_record.m_table;
  json.BeginArray();
  for (size_t i = 0; i < report.m_texts.size(); ++i) {
    const COrbText& text = report.m_texts[i];
    json.BeginObject();
    json.Key("x").Int(text.m_x);
    json.Key("y").Int(FileY(report, text.m_y));
    json.Key("text").Latin1(text.m_text);
    if (i < table.m_texts.size()) {
      const CTextRecord& place = table.m_texts[i];
      json.Key("place").String(PlaceName(place.m_place));
      if (place.m_place == TextPlace::kCell ||
          place.m_place == TextPlace::kReplaced) {
        json.Key("row").Int(place.m_nRow);
      }
      if (place.m_nColumn >= 0) json.Key("column").Int(place.m_nColumn);
      if (place.m_place == TextPlace::kReplaced) {
        json.Key("replaced_by").Size(place.m_nReplacedBy);
      }
    }
    json.End();
  }
  json.End();
}

void WriteTableJson(const CConversionReport& report, CJsonWriter& json) {
  const CTableRecord& table = report.m_record.m_table;
  json.BeginObject();
  json.Key("count_found").Bool(table.m_bCountFound);
  json.Key("applies").Bool(report.m_bApplies);
  json.Key("missing").BeginArray();
  for (const char* kind : MissingKinds(table)) json.String(kind);
  json.End();
  json.Key("first_row_height").Int(FileY(report, table.m_nFirstRowHeight));
  json.Key("data_start").Size(table.m_nStartIndex);

  const std::vector<size_t> counts = MatchCounts(report);
  json.Key("columns").BeginArray();
  for (size_t j = 0; j < report.m_columns.size(); ++j) {
    const CConfigColumnItem& item = report.m_columns[j];
    json.BeginObject();
    json.Key("header").Latin1(item.m_strHeader);
    json.Key("type").Latin1(item.m_strType);
    json.Key("type_index").Int(item.m_nType);
    json.Key("headers_matched").Size(counts[j]);
    json.End();
  }
  json.End();

  json.Key("headers").BeginArray();
  for (const CHeaderRecord& header : table.m_headers) {
    json.BeginObject();
    json.Key("text").Size(header.m_nText);
    json.Key("x").Int(header.m_x);
    json.Key("y").Int(FileY(report, header.m_y));
    json.Key("column").Int(header.m_nColumn);
    json.End();
  }
  json.End();
  json.Key("tolerance").Double(table.m_dTolerance);

  json.Key("rows").BeginArray();
  for (size_t r = 0; r < table.m_rowHeights.size(); ++r) {
    json.BeginObject();
    json.Key("y").Int(FileY(report, table.m_rowHeights[r]));
    json.Key("cells").BeginArray();
    if (r < report.m_rows.size()) {
      const COrbRow& cellsOfRow = report.m_rows[r];
      for (size_t j = 0; j < cellsOfRow.size(); ++j) json.Latin1(cellsOfRow[j]);
    }
    json.End();
    if (const CKelRowRecord* kel = KelRow(report, r)) {
      json.Key("item").Bool(kel->m_bItem);
      json.Key("missing").BeginArray();
      for (const std::string& reason : ReasonList(*kel)) json.String(reason);
      json.End();
      json.Key("lines").Int(kel->m_nLines);
      json.Key("discarded").Int(kel->m_nDiscarded);
    }
    json.End();
  }
  json.End();
  json.Key("texts");
  WriteTextsJson(report, json);

  json.Key("conflicts").BeginArray();
  for (const CCellConflict& conflict : table.m_conflicts) {
    json.BeginObject();
    json.Key("earlier").Size(conflict.m_nEarlier);
    json.Key("later").Size(conflict.m_nLater);
    json.Key("row").Int(conflict.m_nRow);
    json.Key("column").Int(conflict.m_nColumn);
    json.End();
  }
  json.End();
  json.End();
}

void WriteText(const CConversionReport& report, CTextStream& sink) {
  TextWriter out(sink);
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
}

void WriteJson(const CConversionReport& report, CTextStream& sink) {
  CJsonWriter json(sink);
  json.BeginObject();
  json.Key("report").String("kelconv conversion");
  json.Key("version").Int(1);
  json.Key("input").Latin1(report.m_strInput);
  json.Key("file_kind").String(DrawingKindName(report.m_kind));
  json.Key("page");
  if (report.m_kind == DrawingKind::kPdf) {
    json.Size(report.m_nPage + 1);
    json.Key("pages").Size(report.m_nPages);
  } else {
    json.Null();
  }
  json.Key("output").Latin1(report.m_strOutput);
  json.Key("configuration").Latin1(report.m_strConfig);
  json.Key("kind").String(report.m_bExport ? "export" : "kel");
  json.Key("outcome").String(OutcomeName(report.m_outcome));
  json.Key("messages").BeginArray();
  for (const std::string& message : report.m_messages) json.Latin1(message);
  json.End();

  if (!report.m_bDocument) {
    json.Key("reading").Null();
    json.Key("table").Null();
    json.Key("kel").Null();
  } else {
    const CReadRecord& read = report.m_record.m_read;
    json.Key("reading").BeginObject();
    json.Key("orientation").String(report.m_bInverted ? "inverted" : "normal");
    json.Key("inverted_tried").Bool(report.m_bInvertedTried);
    json.Key("lines").Size(read.m_nLines);
    json.Key("text_lines").Size(read.m_nEntities);
    json.Key("skipped_lines").Size(read.m_nSkipped);
    json.Key("blank_lines").Size(read.m_nBlank);
    json.Key("texts").Size(read.m_nTexts);
    json.End();
    json.Key("table");
    if (report.m_record.m_table.m_bBuilt) {
      WriteTableJson(report, json);
    } else {
      json.Null();
    }
    json.Key("kel");
    if (report.m_bKelWriter) {
      const CKelRecord& kel = report.m_record.m_kel;
      json.BeginObject();
      json.Key("lines").Size(kel.m_nLines);
      json.Key("handed_copies").Size(kel.m_nHandedLines);
      json.Key("handed_groups").Size(kel.m_nHandedGroups);
      json.Key("rows").Size(kel.m_rows.size());
      json.Key("items").Size(report.ItemRows());
      json.Key("rows_without_item").Size(report.RowsWithoutItem());
      json.Key("mm_discarded").Size(kel.m_nDiscarded);
      json.Key("finished").Bool(kel.m_bFinished);
      json.End();
    } else {
      json.Null();
    }
  }
  json.Key("warnings").BeginArray();
  for (const CReportWarning& warning : report.m_warnings) {
    json.BeginObject();
    json.Key("kind").String(WarningName(warning.m_kind));
    // Warnings quote their texts in UTF-8 already.
    json.Key("text").String(warning.m_strText);
    if (warning.m_kind == ReportWarningKind::kCellConflict) {
      json.Key("conflict").Size(warning.m_nConflict);
    }
    json.End();
  }
  json.End();
  json.End();
  sink.Put("\n");
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
  if (!table.m_headers.empty()) {
    const std::vector<size_t> counts = MatchCounts(*this);
    std::string unmatched;
    for (size_t j = 0; j < counts.size(); ++j) {
      if (counts[j] != 0) continue;
      unmatched += (unmatched.empty() ? "" : ", ") +
                   ColumnLabel(*this, static_cast<int>(j));
    }
    if (!unmatched.empty()) {
      m_warnings.push_back(
          {ReportWarningKind::kUnmatchedColumns,
           "configured columns that match no header: " + unmatched});
    }
  }
  const size_t items = ItemRows();
  if (m_bKelWriter && kel.m_bFinished && items > 0 &&
      2 * items < kel.m_rows.size()) {
    m_warnings.push_back(
        {ReportWarningKind::kFewItems,
         "only " + std::to_string(items) + " of " +
             Plural(kel.m_rows.size(), "row", "rows") +
             " below the headers are items (fewer than half); the others "
             "have no quantity or no material"});
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
                           ? std::string(m_texts[conflict.m_nLater].m_text)
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
  CTextStream out;
  WriteText(report, out);
  return out.Take();
}

std::string FormatReportJson(const CConversionReport& report) {
  CTextStream out;
  WriteJson(report, out);
  return out.Take();
}

int WriteReport(const CConversionReport& report, bool json, std::FILE* out) {
  CTextStream sink(out);
  if (json) {
    WriteJson(report, sink);
  } else {
    WriteText(report, sink);
  }
  return sink.Finish();
}
