// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/CommandLine.h"

#include "text/TextUtils.h"

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The option name of `arg`, or false when `arg` is positional.
bool OptionName(const std::string& arg, std::string& name) {
  // "-" alone names standard input.
  if (arg.empty() || arg == "-") return false;
  if (arg[0] == '-') {
    name = arg.substr(1);
    return true;
  }
  if (arg[0] != '/' || arg.size() < 2) return false;
  for (size_t i = 1; i < arg.size(); ++i) {
    if (!IsAsciiLetter(arg[i])) return false;
  }
  name = arg.substr(1);
  return true;
}

}  // namespace

ExistingOutput CCommandLineInfo::ExistingOutputMode() const {
  if (m_bOverwrite) return ExistingOutput::kOverwrite;
  if (m_bAppend) return ExistingOutput::kAppend;
  return ExistingOutput::kRefuse;
}

std::vector<std::string> CCommandLineInfo::BatchInputs() const {
  if (!IsBatch()) return {};
  return {m_names.begin(), m_names.end() - 2};
}

CConversionRequest CCommandLineInfo::BatchRequest() const {
  CConversionRequest request;
  if (IsBatch()) {
    request.output = m_names[m_names.size() - 2];
    request.config = m_names.back();
  }
  request.kind = m_bExport ? OutputKind::kExport : OutputKind::kKel;
  request.existing = ExistingOutputMode();
  return request;
}

CCommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
  CCommandLineInfo info;
  bool options = true;
  for (const std::string& arg : args) {
    if (!options) {
      info.m_names.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options = false;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      info.m_bHelp = true;
      continue;
    }
    if (arg == "--version") {
      info.m_bVersion = true;
      continue;
    }
    if (arg == "--dump-config" || arg == "--make-config" ||
        arg == "--check-config") {
      info.m_configCommand = arg == "--dump-config"   ? ConfigCommand::kDump
                             : arg == "--make-config" ? ConfigCommand::kMake
                                                      : ConfigCommand::kCheck;
      continue;
    }
    if (arg == "--report" || arg == "--report=text") {
      info.m_report = ReportFormat::kText;
      continue;
    }
    if (arg == "--report=json") {
      info.m_report = ReportFormat::kJson;
      continue;
    }
    std::string name;
    if (OptionName(arg, name)) {
      const std::string upper = ToUpperAscii(name);
      if (upper == "E") {
        info.m_bExport = true;
      } else if (upper == "O") {
        info.m_bOverwrite = true;
        info.m_bAppend = false;
      } else if (upper == "A") {
        info.m_bAppend = true;
        info.m_bOverwrite = false;
      }
      continue;
    }
    info.m_names.push_back(arg);
  }
  return info;
}

const char* UsageText() {
  return "Usage: kelconv [/E] [/O | /A] [--report[=json]] [--] INPUT... "
         "OUTPUT CONFIG.cfg\n"
         "       kelconv --dump-config CONFIG.cfg\n"
         "       kelconv --make-config [/O] TEXT.toml CONFIG.cfg\n"
         "       kelconv --check-config CONFIG.cfg INPUT\n"
         "       kelconv              (opens the conversion dialog)\n"
         "\n"
         "Converts bill-of-material files into one KEL file (or, with /E, a\n"
         "\"~\"-delimited export) as the configuration file describes.\n"
         "INPUT is an .orb text dump, an ASCII DXF file or a PDF with real\n"
         "text (each page one drawing, appended in order); \"-\" reads it\n"
         "from standard input. The kind is told from the file's content.\n"
         "Each INPUT is a file, a quoted pattern with * and ? (its files in\n"
         "name order) or a \";\"-separated list; the first file written\n"
         "follows /O or /A, the others are appended. The exit status is 0\n"
         "only when every file was written, 2 for one or two names.\n"
         "--dump-config prints a configuration as TOML text, --make-config\n"
         "writes such a text as a configuration file (/O to replace one),\n"
         "--check-config shows which headers of an input file it matches.\n"
         "\n"
         "Options (after \"/\" or \"-\", any letter case):\n"
         "  E          write an export file instead of a KEL file\n"
         "  O          overwrite an existing output file\n"
         "  A          append to an existing output file\n"
         "  --report   after each file, print on stdout how the table\n"
         "             was rebuilt and what became of each row\n"
         "             (--report=json: as JSON)\n"
         "  --         every later argument is a file name\n"
         "  --help     show this text\n"
         "  --version  show the program's version and license\n"
         "\n"
         "Without /O or /A an existing output file is left alone.\n"
         "Phrases listed in DISCARD.TXT beside the program are cut out of\n"
         "every text before it is read.\n";
}

const char* VersionText() { return "Kelconv 3.0"; }

const char* LicenseText() {
  return "Copyright (C) 2026 The Kelconv developers\n"
         "License GPLv3+: GNU GPL version 3 or later "
         "<https://gnu.org/licenses/gpl.html>\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}
