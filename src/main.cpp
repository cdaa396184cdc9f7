// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: no file names open the main dialog, from the desktop module,
// which is loaded only then; three or more (INPUT... OUTPUT CONFIG) convert
// without it and map no GUI library; one or two cannot be run.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/DesktopModule.h"
#include "input/DiscardList.h"
#include "input/ProgramDirectory.h"
#include "input/ProgramModule.h"
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

// Runs the main dialog from the desktop module. Without the module (the
// program copied alone, or Qt missing) says so in one line on stderr and
// returns kExitNoDialog.
int RunDesktop(int argc, char** argv) {
  const std::string directory = ProgramDirectory();
  CProgramModule module;
  KelconvDesktopMainFn run = nullptr;
  // Qt's libraries keep threads and exit handlers of their own: the module
  // stays mapped until the process ends.
  if (module.Open(directory, KELCONV_DESKTOP_MODULE, /*stayLoaded=*/true)) {
    run = reinterpret_cast<KelconvDesktopMainFn>(
        module.Symbol(KELCONV_DESKTOP_MAIN_SYMBOL));
  }
  if (run == nullptr) {
    std::fprintf(stderr,
                 "kelconv: the desktop part is missing, so the main dialog "
                 "cannot open: \"%s\" (%s); conversions run without it: "
                 "kelconv --help\n",
                 module.Path().c_str(), module.Error().c_str());
    return KELCONV_EXIT_NO_DIALOG;
  }
  return run(argc, argv, DiscardListPath(directory).c_str());
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
  if (!info.IsBatch()) return RunDesktop(argc, argv);
  return RunBatchConversion(info, DiscardListPath(ProgramDirectory()), stdout,
                            stderr);
}
