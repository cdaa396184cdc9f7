// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: three positional arguments run one conversion job in batch mode;
// anything else opens the main dialog.
#include <QApplication>
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

int main(int argc, char** argv) {
  // Numbers, case and regular expressions follow the C locale's rules,
  // whatever the user's locale: the same input always gives the same bytes.
  std::setlocale(LC_ALL, "C");

  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CCommandLineInfo info = ParseCommandLine(args);

  if (info.m_bHelp) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  if (info.m_bVersion) {
    std::printf("%s\n%s", VersionText(), LicenseText());
    return 0;
  }
  if (info.m_configCommand != ConfigCommand::kNone) {
    return RunConfigCommand(info, DiscardListPath(ProgramDirectory()), stdout,
                            stderr);
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
  std::vector<std::string> reports;
  bool wroteAll = true;
  while (walk.Next(drawing)) {
    SetDrawing(request, drawing);
    if (drawing.page > 0) request.existing = ExistingOutput::kAppend;
    const int result = job.ConvertFile(request);
    if (job.WroteOutput()) ++request.fileIndex;
    wroteAll = wroteAll && job.WroteOutput();
    if (info.m_report != ReportFormat::kNone) {
      // The report is extra information: printing it changes no exit status.
      try {
        reports.push_back(info.m_report == ReportFormat::kJson
                              ? FormatReportJson(report)
                              : FormatReportText(report));
      } catch (const std::exception& failure) {
        std::fprintf(stderr, "kelconv: no report: %s\n", failure.what());
      }
    }
    if (result != 0) break;
  }
  // The JSON reports of several drawings make one array.
  const bool array = info.m_report == ReportFormat::kJson && reports.size() > 1;
  for (size_t i = 0; i < reports.size(); ++i) {
    if (array) std::fputs(i == 0 ? "[\n" : ",\n", stdout);
    std::fwrite(reports[i].data(), 1, reports[i].size(), stdout);
  }
  if (array) std::fputs("]\n", stdout);
  std::fflush(stdout);
  return wroteAll ? 0 : 1;
}
