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
  job.ConvertFile(info.BatchRequest());
  if (info.m_report != ReportFormat::kNone) {
    // The report is extra information: printing it changes no exit status.
    try {
      const std::string text = info.m_report == ReportFormat::kJson
                                   ? FormatReportJson(report)
                                   : FormatReportText(report);
      std::fwrite(text.data(), 1, text.size(), stdout);
      std::fflush(stdout);
    } catch (const std::exception& failure) {
      std::fprintf(stderr, "kelconv: no report: %s\n", failure.what());
    }
  }
  return job.WroteOutput() ? 0 : 1;
}
