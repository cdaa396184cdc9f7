// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: no file names open the main dialog; three or more (INPUT...
// OUTPUT CONFIG) convert without it; one or two cannot be run.
#include <QApplication>
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/InteractiveMode.h"
#include "desktop/QtPrompts.h"
#include "input/DiscardList.h"
#include "input/ProgramDirectory.h"
#include "job/BatchConversion.h"
#include "job/CommandLine.h"
#include "job/ConfigCommands.h"
#include "writers/OutputFile.h"

namespace {

// Sends what is left of stdout; false (after saying so on stderr) when any
// write to it failed, as on a full disk.
bool StdoutWritten(const char* what) {
  return StreamWritten(stdout, what, stderr);
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
  if (info.IsIncomplete()) {
    // Never the dialog: a script on a machine without a display would wait
    // for it, or fail to start it.
    std::fputs(UsageText(), stderr);
    return 2;
  }
  if (!info.IsBatch()) {
    // Only the desktop program needs a display; batch mode runs without.
    QApplication app(argc, argv);
    UseCLocaleRules();
    CQtPrompts prompts;
    RunInteractiveMode(prompts, DiscardListPath(ProgramDirectory()));
    return 0;
  }
  return RunBatchConversion(info, DiscardListPath(ProgramDirectory()), stdout,
                            stderr);
}
