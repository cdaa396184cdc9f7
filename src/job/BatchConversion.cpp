// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/BatchConversion.h"

#include <cerrno>
#include <exception>

#include "job/CommandLine.h"
#include "job/ConversionJob.h"
#include "job/ConversionReport.h"
#include "job/ConversionRun.h"
#include "job/JobUi.h"
#include "job/PatternExpansion.h"
#include "writers/OutputFile.h"

namespace {

void PrintLine(std::FILE* stream, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// Prints the report of each file as soon as its job is done, so that a long
// run never holds more than one.
class CReportPrinter : public IRunObserver {
 public:
  CReportPrinter(const CConversionReport& report, ReportFormat format,
                 bool array, std::FILE* out, std::FILE* err)
      : m_report(report),
        m_format(format),
        m_bArray(array),
        m_pOut(out),
        m_pErr(err) {}

  void FileDone(const CConversionJob&) override {
    if (m_format == ReportFormat::kNone) return;
    const std::string page =
        m_report.m_nPages > 1
            ? " page " + std::to_string(m_report.m_nPage + 1) + ": "
            : ": ";
    for (const CReportWarning& warning : m_report.m_warnings) {
      if (warning.m_kind == ReportWarningKind::kUnmatchedColumns ||
          warning.m_kind == ReportWarningKind::kFewItems) {
        PrintLine(m_pErr, QuotedMessage("Warning for ", m_report.m_strInput,
                                        page + warning.m_strText));
      }
    }
    // The reports go out as they are made, so that a large drawing's report
    // is never held whole. The outputs stay written whatever becomes of
    // them; a report that cannot be made or written is said and gives 1.
    if (m_bFailed) return;
    // A PDF of several pages is several drawings, even when named alone.
    const bool json = m_format == ReportFormat::kJson;
    if (json && m_nPrinted == 0 && m_report.m_nPages > 1) m_bArray = true;
    if (m_bArray) std::fputs(m_nPrinted == 0 ? "[\n" : ",\n", m_pOut);
    int error = 0;
    try {
      error = WriteReport(m_report, json, m_pOut);
    } catch (const std::exception&) {
      error = ENOMEM;  // memory ran out while the report was made
    }
    ++m_nPrinted;
    if (error != 0) {
      std::fprintf(m_pErr,
                   "kelconv: cannot write the conversion report to standard "
                   "output: %s\n",
                   ErrorText(error).c_str());
      m_bFailed = true;
    }
  }

  // Closes the JSON array, also an empty one, and sends the rest; false
  // when a report failed.
  bool Finish() {
    if (m_format == ReportFormat::kNone) return true;
    if (m_bArray && !m_bFailed) {
      std::fputs(m_nPrinted == 0 ? "[]\n" : "]\n", m_pOut);
    }
    return !m_bFailed &&
           StreamWritten(m_pOut, "the conversion report", m_pErr);
  }

 private:
  const CConversionReport& m_report;
  ReportFormat m_format;
  bool m_bArray;
  std::FILE* m_pOut;
  std::FILE* m_pErr;
  size_t m_nPrinted = 0;
  bool m_bFailed = false;
};

}  // namespace

int RunBatchConversion(const CCommandLineInfo& info,
                       const std::string& discardListPath, std::FILE* out,
                       std::FILE* err) {
  CStderrJobUi ui(err);
  CConversionJob job(ui, discardListPath);
  CConversionReport report;
  if (info.m_report != ReportFormat::kNone) job.SetReport(&report);

  const std::vector<std::string> inputs = info.BatchInputs();
  // JSON: one document for one named file, as it always was; an array
  // whenever the command line may stand for several.
  const bool array = info.m_report == ReportFormat::kJson &&
                     (inputs.size() > 1 || !NamesOneFile(inputs.front()));
  CReportPrinter printer(report, info.m_report, array, out, err);
  const CRunResult result =
      RunConversions(job, info.BatchRequest(), inputs, printer);
  const bool reported = printer.Finish();

  const CClosingMessage closing = ClosingMessage(
      result, info.m_bExport ? OutputKind::kExport : OutputKind::kKel,
      RunAudience::kCommandLine);
  if (!closing.text.empty()) PrintLine(err, closing.text);
  return result.AllWritten() && reported ? 0 : 1;
}

bool StreamWritten(std::FILE* out, const char* what, std::FILE* err) {
  errno = 0;
  const bool failed = std::fflush(out) != 0 || std::ferror(out) != 0;
  if (failed) {
    std::fprintf(err, "kelconv: cannot write %s to standard output: %s\n",
                 what, ErrorText(errno != 0 ? errno : EIO).c_str());
  }
  return !failed;
}
