#pragma once

#include <string>

#include "job/JobUi.h"

class CConversionReport;

// Existing-output modes of a conversion job.
inline constexpr int kExistingRefuse = 0;  // any value but 1, 2, 3
inline constexpr int kExistingOverwrite = 1;
inline constexpr int kExistingAppend = 2;
inline constexpr int kExistingAsk = 3;

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

// The conversion job: reads one input file, matches the configuration to it
// and writes a KEL or export file. It keeps no state between calls but the
// outcome of the last one.
class CConversionJob {
 public:
  // `ui` shows the job's messages and answers the "Warning!" question;
  // `discardListPath` names the discard list, read anew for every call.
  CConversionJob(IJobUi& ui, std::string discardListPath)
      : m_ui(ui), m_strDiscardListPath(std::move(discardListPath)) {}

  // Converts `inputPath` (a file, never a pattern) into `outputPath`, from
  // which leading blanks are removed. `existingOutput` is one of the modes
  // above; `headerOption` (0, 1, 2) is used for exports only; `fileIndex`
  // is 0 for the first file of a run. Returns 0 when the output was written
  // and when the configuration does not apply to a KEL conversion (reported
  // by a message); -1 when the job failed or was cancelled. The output file
  // is never opened before the writer runs.
  int ConvertFile(const std::string& inputPath, std::string& outputPath,
                  const std::string& configPath, bool exportRows,
                  int existingOutput, int fileIndex, int headerOption,
                  const std::string& jobNumber, const std::string& jobName,
                  const std::string& customer);

  // Whether the last ConvertFile call wrote its output.
  bool WroteOutput() const { return m_bWroteOutput; }

  // Optional, not owned: when set, every ConvertFile call replaces
  // `*report` with the report of that job (job/ConversionReport.h). The job
  // does the same with or without it.
  void SetReport(CConversionReport* report) { m_pReport = report; }

 private:
  // Shows `text` and, when a report is made, keeps it there.
  void Show(const std::string& text);

  int RunJob(const std::string& inputPath, std::string& outputPath,
             const std::string& configPath, bool exportRows, int existingOutput,
             int fileIndex, int headerOption, const std::string& jobNumber,
             const std::string& jobName, const std::string& customer);

  IJobUi& m_ui;
  std::string m_strDiscardListPath;
  bool m_bWroteOutput = false;
  CConversionReport* m_pReport = nullptr;
};

// "<prefix>"<path>"<suffix>": how the job's messages name a file.
std::string QuotedMessage(const std::string& prefix, const std::string& path,
                          const std::string& suffix = "");
