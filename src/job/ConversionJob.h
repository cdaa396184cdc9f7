// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "config/Archive.h"
#include "input/InputFile.h"
#include "job/JobUi.h"

class CConversionReport;
class IOutputCalls;

// What a conversion job does when its output file exists already.
enum class ExistingOutput {
  kRefuse,     // stop with the "File Exists." message
  kOverwrite,  // replace it
  kAppend,     // add to its end (the file must exist)
  kAsk,        // ask the "Warning!" question (overwrite, append, cancel)
};

// What a conversion job writes.
enum class OutputKind { kKel, kExport };

// How a conversion job ended.
enum class JobOutcome {
  kWritten,      // the output was written
  kSkipped,      // a KEL conversion that the configuration does not fit
  kInputFailed,  // the input could not be read: other inputs may still do
  kFailed,       // the output or the configuration failed, or memory ran out
  kDeclined,     // "Warning!" was answered with Cancel
};

// One conversion: what to read, what to write and how.
struct CConversionRequest {
  std::string input;   // a file, never a pattern; "-" is standard input
  // The drawing of the input to convert: a PDF's page (0-based); 0 for an
  // .orb or DXF.
  size_t page = 0;
  // The input already read (job/DrawingWalk.h), shared by the drawings of
  // one file; when null the job reads `input` itself.
  std::shared_ptr<CInputFile> file;
  std::string output;  // leading blanks are ignored
  std::string config;  // the configuration file
  OutputKind kind = OutputKind::kKel;
  ExistingOutput existing = ExistingOutput::kRefuse;
  // Exports only: 0 no column headers, 1 headers once (before the first
  // file of a run), 2 headers before each drawing.
  int headerOption = 0;
  // 0 for the first file of a run, then 1, 2, and so on.
  int fileIndex = 0;
  // The job number, name and customer, handed to the KEL writer for the
  // callers that have them; no output holds them.
  std::string jobNumber;
  std::string jobName;
  std::string customer;
};

// Message texts of the conversion job.
inline constexpr const char* kMsgUnableToOpen = "Unable to open ";
inline constexpr const char* kMsgOutputRequired = "Output Filename is Required";
inline constexpr const char* kMsgFileExists =
    "File Exists.  Specify /O (overwite) or /A (append)";
inline constexpr const char* kMsgConfigDoesNotApply =
    "Configuration Does Not Apply to Input File ";
inline constexpr const char* kMsgConfigDoesNotApplySuffix =
    " (must match at least mark, quantity and material columns)";
inline constexpr const char* kMsgInvalidConfig =
    "Please specify a valid config file.";
inline constexpr const char* kMsgUnableToProcess = "Unable to process ";
inline constexpr const char* kMsgDiscardListIgnored = "The discard list ";
inline constexpr const char* kMsgDiscardListIgnoredSuffix =
    " is not a regular file; it was ignored";
// What follows "Unable to process "<input>"" when the output is refused or
// cannot be written.
inline constexpr const char* kMsgOutputIsInput = ": the output ";
inline constexpr const char* kMsgIsTheInputFile = " is the input file";
inline constexpr const char* kMsgIsTheConfigFile = " is the configuration file";
inline constexpr const char* kMsgCannotWrite = ": cannot write ";

// ": " and the system's reason for `error` (an errno value); "" for 0.
std::string SystemReason(int error);

// "Unable to open "<path>": <reason>" (see SystemReason).
std::string UnableToOpenMessage(const std::string& path, int error);

// "Please specify a valid config file." followed by the configuration's path
// and what is wrong with it: the system's reason `error` (an errno value)
// for a file that cannot be read, or where a damaged file ends.
std::string InvalidConfigMessage(const std::string& path, int error);
std::string InvalidConfigMessage(const std::string& path,
                                 const CArchiveException& damage);

// The conversion job: reads one input file, matches the configuration to it
// and writes a KEL or export file. It keeps no state between calls but the
// outcome of the last one.
class CConversionJob {
 public:
  // `ui` shows the job's messages and answers the "Warning!" question;
  // `discardListPath` names the discard list, read anew for every call.
  CConversionJob(IJobUi& ui, std::string discardListPath)
      : m_ui(ui), m_strDiscardListPath(std::move(discardListPath)) {}

  // Converts `request.input` into `request.output` as the request says.
  // Returns 0 when the output was written and when the configuration does
  // not apply to a KEL conversion (reported by a message); -1 when the job
  // failed or was cancelled. The output file is never opened before the
  // writer runs, and it gets the whole output or stays as it was
  // (writers/OutputFile.h). An output that is the input or the
  // configuration file (the same file under any name) is refused.
  int ConvertFile(const CConversionRequest& request);

  // How the last ConvertFile call ended, and whether it wrote its output.
  JobOutcome Outcome() const { return m_outcome; }
  bool WroteOutput() const { return m_outcome == JobOutcome::kWritten; }

  // Optional, not owned: when set, every ConvertFile call replaces
  // `*report` with the report of that job (job/ConversionReport.h). The job
  // does the same with or without it.
  void SetReport(CConversionReport* report) { m_pReport = report; }

  // Optional, not owned: the calls that put the output's bytes on disk
  // (null, the default: the system's). Tests pass one that fails.
  void SetOutputCalls(IOutputCalls* calls) { m_pOutputCalls = calls; }

 private:
  // Shows `text` and, when a report is made, keeps it there.
  void Show(const std::string& text, MessageLevel level = MessageLevel::kError);

  // The job itself; `output` is the output path without leading blanks.
  int RunJob(const CConversionRequest& request, const std::string& output);

  IJobUi& m_ui;
  std::string m_strDiscardListPath;
  JobOutcome m_outcome = JobOutcome::kFailed;
  CConversionReport* m_pReport = nullptr;
  IOutputCalls* m_pOutputCalls = nullptr;
};

// "<prefix>"<path>"<suffix>": how the job's messages name a file.
std::string QuotedMessage(const std::string& prefix, const std::string& path,
                          const std::string& suffix = "");
