// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "job/ConversionJob.h"

// A command on configurations as text (job/ConfigCommands.h).
enum class ConfigCommand { kNone, kDump, kMake, kCheck };

// The conversion report a batch conversion prints on stdout after the job
// (job/ConversionReport.h): none, text ("--report") or JSON
// ("--report=json").
enum class ReportFormat { kNone, kText, kJson };

// The command line as the program understood it.
struct CCommandLineInfo {
  // The file names, in order: every argument that is not an option, and
  // every argument after "--".
  std::vector<std::string> m_names;
  bool m_bExport = false;     // "E"
  bool m_bOverwrite = false;  // "O" (clears append)
  bool m_bAppend = false;     // "A" (clears overwrite)
  bool m_bHelp = false;       // "--help" or "-h"
  bool m_bVersion = false;    // "--version"
  // "--dump-config", "--make-config" or "--check-config" (the later one
  // wins); its files are the positional arguments, in order.
  ConfigCommand m_configCommand = ConfigCommand::kNone;
  // "--report" or "--report=text", "--report=json" (the later one wins).
  ReportFormat m_report = ReportFormat::kNone;

  // What the conversion job does with an existing output: overwrite for
  // "O", append for "A", else refuse.
  ExistingOutput ExistingOutputMode() const;
  // Three names or more: INPUT... OUTPUT CONFIG, converted without the
  // dialog. One or two names cannot be run; none opens the dialog.
  bool IsBatch() const { return m_names.size() >= 3; }
  bool IsIncomplete() const { return !m_names.empty() && !IsBatch(); }
  // The INPUT names of a batch conversion: each a file, a pattern or a
  // ";"-separated list (job/PatternExpansion.h).
  std::vector<std::string> BatchInputs() const;
  // The request of a batch conversion, without its input: the last two
  // names, KEL or export ("E"), no export headers.
  CConversionRequest BatchRequest() const;
};

// Parses the arguments after the program name. An argument that begins with
// "-" is an option; one that begins with "/" is an option only when every
// character after the "/" is a letter ("/O", "/a"), since absolute paths
// begin with "/" too. Option names are compared ignoring case; unknown names
// are ignored. Of "O" and "A" the later one wins. "--" ends the options:
// every later argument is a name, also one that begins with "-".
CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed for "--help" (stdout, exit status 0) and for a
// command line of one or two names (stderr, exit status 2).
const char* UsageText();
// "Kelconv 3.0"
const char* VersionText();
// The lines that follow the version line for "--version": the copyright,
// the license and the absence of warranty, each line ending in "\n".
const char* LicenseText();
