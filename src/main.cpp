// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: three positional arguments run one conversion job in batch mode;
// anything else opens the main dialog.
#include <QApplication>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "job/CommandLine.h"
#include "job/ConfigCommands.h"
#include "job/ConversionJob.h"
#include "job/ConversionReport.h"
#include "job/DrawingWalk.h"
#include "desktop/InteractiveMode.h"
#include "job/JobUi.h"
#include "desktop/QtPrompts.h"
#include "input/DiscardList.h"
#include "input/ProgramDirectory.h"
#include "writers/OutputFile.h"

namespace {

// Sends what is left of stdout; false (after saying so on stderr) when any
// write to it failed, as on a full disk.
bool StdoutWritten(const char* what) {
  errno = 0;
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  if (failed) {
    std::fprintf(stderr, "kelconv: cannot write %s to standard output: %s\n",
                 what, ErrorText(errno != 0 ? errno : EIO).c_str());
  }
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  // Numbers, case and regular expressions follow the C locale's rules,
  // whatever the user's locale: the same input always gives the same bytes.
  std::setlocale(LC_ALL, "C");

  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CCommandLineInfo info = ParseCommandLine(args);

  // An output being written is taken back before these signals end the
  // program.
  CatchTerminationSignals();

  if (info.m_bHelp) {
    std::fputs(UsageText(), stdout);
    return StdoutWritten("the usage") ? 0 : 1;
  }
  if (info.m_bVersion) {
    std::printf("%s\n%s", VersionText(), LicenseText());
    return StdoutWritten("the version") ? 0 : 1;
  }
  if (info.m_configCommand != ConfigCommand::kNone) {
    const int status = RunConfigCommand(
        info, DiscardListPath(ProgramDirectory()), stdout, stderr);
    // --dump-config says itself when its text cannot be written.
    if (status != 0 || info.m_configCommand == ConfigCommand::kDump) {
      return status;
    }
    return StdoutWritten("the configuration check") ? 0 : 1;
  }
  if (!info.IsBatch()) {
    // Only the desktop program needs a display; batch mode runs without.
    QApplication app(argc, argv);
    UseCLocaleRules();
    CQtPrompts prompts;
    RunInteractiveMode(prompts, DiscardListPath(ProgramDirectory()));
    return 0;
  }

  CStderrJobUi ui;
  CConversionJob job(ui, DiscardListPath(ProgramDirectory()));
  CConversionReport report;
  if (info.m_report != ReportFormat::kNone) job.SetReport(&report);
  // A PDF of several pages is that many drawings: the first follows the
  // existing-output rule, the rest are appended, as the files of a pattern.
  CConversionRequest request = info.BatchRequest();
  CDrawingWalk walk({request.input});
  CDrawing drawing;
  bool wroteAll = true;
  bool reportFailed = false;
  bool array = false;
  for (size_t index = 0; walk.Next(drawing); ++index) {
    SetDrawing(request, drawing);
    if (drawing.page > 0) request.existing = ExistingOutput::kAppend;
    const int result = job.ConvertFile(request);
    if (job.WroteOutput()) ++request.fileIndex;
    wroteAll = wroteAll && job.WroteOutput();
    if (info.m_report != ReportFormat::kNone && !reportFailed) {
      // The reports go out as they are made, so that a large drawing's
      // report is never held whole; the JSON reports of the pages of a PDF
      // make one array. The outputs stay written whatever becomes of them;
      // a report that cannot be made or written is said and gives 1.
      const bool json = info.m_report == ReportFormat::kJson;
      array = array || (json && index == 0 && drawing.pages > 1);
      if (array) std::fputs(index == 0 ? "[\n" : ",\n", stdout);
      int error = 0;
      try {
        error = WriteReport(report, json, stdout);
      } catch (const std::exception&) {
        error = ENOMEM;  // memory ran out while the report was made
      }
      if (error != 0) {
        std::fprintf(stderr,
                     "kelconv: cannot write the conversion report to "
                     "standard output: %s\n",
                     ErrorText(error).c_str());
        reportFailed = true;
      }
    }
    if (result != 0) break;
  }
  if (array && !reportFailed) std::fputs("]\n", stdout);
  if (info.m_report != ReportFormat::kNone && !reportFailed &&
      !StdoutWritten("the conversion report")) {
    reportFailed = true;
  }
  return wroteAll && !reportFailed ? 0 : 1;
}
