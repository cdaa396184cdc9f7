// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command-line actions on configurations as text: print the text form
// of a configuration file, make a configuration file from a text form, and
// check how a configuration applies to an input file. Each returns the
// program's exit status: 0 on success, 1 on failure. Messages go to `err`,
// one line each, naming the file (and, for a text form, the line) and the
// problem.

#include <cstdio>
#include <string>

struct CCommandLineInfo;

// Runs the configuration command of `info` (m_configCommand is not kNone)
// with its positional arguments. A wrong number of file names is reported
// with the command's usage and gives 1. `discardListPath` is read by
// --check-config, as by a conversion.
int RunConfigCommand(const CCommandLineInfo& info,
                     const std::string& discardListPath, std::FILE* out,
                     std::FILE* err);

// --dump-config: writes the text form of the configuration file at
// `configPath` to `out`. A file that cannot be read or is damaged gives a
// message and 1, and nothing on `out`. A column type name that is not one of
// the 24 is dumped as it is, with a warning: --make-config will refuse it.
int DumpConfig(const std::string& configPath, std::FILE* out, std::FILE* err);

// --make-config: reads the text form at `textPath` and writes it as a
// version 6 configuration file at `configPath`. An existing `configPath` is
// replaced only when `overwrite` is set. Errors in the text (see
// ConfigurationFromText) are all reported and nothing is written; warnings
// are reported and the file is written. The file is replaced whole or not
// at all (writers/OutputFile.h): a symbolic link keeps pointing at it, and
// it keeps its permission bits.
int MakeConfig(const std::string& textPath, const std::string& configPath,
               bool overwrite, std::FILE* err);

// --check-config: reads `inputPath` as a conversion does (with the discard
// list at `discardListPath`), applies the configuration at `configPath`
// top to bottom and, when that does not apply, bottom to top, and prints to
// `out` for each reading the headers that matched (input text, configured
// column, type), the configured columns that did not, and whether the
// configuration applies. Writes no file. Gives 0 when the configuration
// applies in one of the readings, 1 when it does not or a file cannot be
// read.
int CheckConfig(const std::string& configPath, const std::string& inputPath,
                const std::string& discardListPath, std::FILE* out,
                std::FILE* err);
