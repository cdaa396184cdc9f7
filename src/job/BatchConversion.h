// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

struct CCommandLineInfo;

// The conversion of a command line of three names or more (INPUT... OUTPUT
// CONFIG), without the dialog: one run over every input file
// (job/ConversionRun.h). The job's messages go to `err`, one line each; a
// run of several files ends with a line that counts them ("2 of 3 files
// converted; 1 skipped: the configuration does not apply."). With
// "--report", the report of each drawing goes to `out` as it is done (JSON:
// one document when the command line names one file of one drawing, else an
// array), and its warnings about unmatched columns and few items to `err`.
// A report that cannot be made or written is said on `err` and gives 1,
// the outputs staying written. Returns the exit status: 0 when every drawing
// was written and every report sent, else 1.
int RunBatchConversion(const CCommandLineInfo& info,
                       const std::string& discardListPath, std::FILE* out,
                       std::FILE* err);

// Sends what is left of `out`; false, after saying on `err` that `what`
// could not be written and why, when any write to it failed (a full disk).
bool StreamWritten(std::FILE* out, const char* what, std::FILE* err);
