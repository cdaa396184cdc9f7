// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The conversion report: what one conversion job did, for a person who
// wants to know why its output came out as it did. It is assembled from the
// document the job ended with and from the records that the reader, the
// table builder and the KEL writer kept while they worked on it (see
// input/OrbRecord.h), never from a second computation. Making it changes
// no byte of any output.

#include <cstdio>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "input/DrawingKind.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"

// How the job ended.
enum class ReportOutcome {
  kNotRun,        // the job has not run
  kWritten,       // the output was written
  kDoesNotApply,  // a KEL conversion that the configuration does not fit
  kFailed,        // a failure or a cancel; the messages say which
  kPreviewed,     // the KEL text was made for a preview: no file written
};

// A result that is suspicious although the conversion did what it should.
enum class ReportWarningKind {
  kNoItems,       // the KEL writer wrote no line at all
  kRowSearch,     // the row search ended at a tolerance of 0 or below
  kCellConflict,  // two texts fell into one cell of the final rows
  // Configured columns that matched no header text of the drawing, while
  // others did: the drawing's table may not be the one configured.
  kUnmatchedColumns,
  kFewItems,  // fewer than half of the rows below the headers are items
};

struct CReportWarning {
  ReportWarningKind m_kind = ReportWarningKind::kNoItems;
  std::string m_strText;  // one line in UTF-8, without a line end
  // For kCellConflict: the entry of m_record.m_table.m_conflicts.
  size_t m_nConflict = 0;
};

class CConversionReport {
 public:
  // The job as it was asked for (the output without its leading blanks).
  std::string m_strInput;
  std::string m_strOutput;
  std::string m_strConfig;
  bool m_bExport = false;
  // The kind of the input file as its bytes told (set once it was read),
  // and the drawing converted: a PDF's page (0-based) of m_nPages.
  DrawingKind m_kind = DrawingKind::kOrb;
  size_t m_nPage = 0;
  size_t m_nPages = 1;

  ReportOutcome m_outcome = ReportOutcome::kNotRun;
  std::vector<std::string> m_messages;  // every message the job showed

  // The reading the job ended with. m_bDocument is false when the input
  // could not be read; everything below is empty then.
  bool m_bDocument = false;
  bool m_bInverted = false;       // read with the vertical axis inverted
  bool m_bInvertedTried = false;  // the inverted reading was made
  bool m_bApplies = false;        // the configuration applies to it
  std::vector<CConfigColumnItem> m_columns;  // the configured columns
  // In reading order, as the record indexes them; positions as the reading
  // made them (an inverted reading negated every m_y, and so the record's
  // heights).
  std::vector<COrbText> m_texts;
  // The rows as the writer left them (it writes number words as digits).
  std::vector<COrbRow> m_rows;
  COrbRecord m_record;        // m_kel is filled only when the KEL writer ran
  bool m_bKelWriter = false;  // the KEL writer ran on the document

  std::vector<CReportWarning> m_warnings;  // made by Finish

  // Forgets everything and starts the report of a new job.
  void Start(const std::string& inputPath, const std::string& configPath,
             bool exportRows);

  // Takes over the texts, rows, configured columns and record of `document`
  // (which are moved out of it: call this when the job is done with the
  // document). `record` is the record the document was pointed at.
  // `inverted`: the document was read with the vertical axis inverted;
  // `applies`: the configuration applies to it.
  void TakeDocument(COrb& document, COrbRecord& record, bool inverted,
                    bool applies);

  // Makes the warnings from what was taken; call once, after the job.
  void Finish();

  // The number of rows of the final table that are items, and that are not
  // (both 0 when the KEL writer did not run).
  size_t ItemRows() const;
  size_t RowsWithoutItem() const;
};

// The report as text for a person: sections "Job", "Reading", "Headers",
// "Rows", "Texts in no row", "KEL file" and "Warnings", lines ended by
// "\n". Texts are quoted (as --check-config quotes them), positions are
// shown in drawing units with three decimals, as the input file gives them
// (the heights of an inverted reading turned back).
std::string FormatReportText(const CConversionReport& report);

// The report as one JSON document (UTF-8; each byte of a text is the
// Latin-1 character of its value), ended by "\n". Positions are in
// thousandths of a drawing unit as the input file gives them, indexes
// (texts, rows, columns) count from 0. See the README's "Conversion report"
// section for the keys.
std::string FormatReportJson(const CConversionReport& report);

// Writes the report to `out` as text (FormatReportText) or, with `json`, as
// JSON (FormatReportJson), a block at a time while it is made, so that the
// report of a large drawing is never held whole in memory. Returns 0, or
// the errno of the write that failed. Memory running out throws
// std::bad_alloc; what was written by then stays written.
int WriteReport(const CConversionReport& report, bool json, std::FILE* out);
