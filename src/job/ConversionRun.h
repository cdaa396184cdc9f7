// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A run: the conversion job over every drawing of the input files of the
// dialog's Convert or Export, or of a command line, into one output (a file
// is one drawing, a PDF one per page: job/DrawingWalk.h). The first drawing
// written follows the request's existing-output mode, every later one is
// appended, and `fileIndex` counts the drawings written before it. A run
// counts what became of each drawing and ends with one closing message, so
// that success is said only when every one was written.

#include <cstddef>
#include <string>
#include <vector>

#include "job/ConversionJob.h"
#include "job/JobUi.h"

// Messages that close a run.
inline constexpr const char* kMsgNoWildcardMatch =
    "No input files matched the wildcard.";
inline constexpr const char* kMsgConverted = "File(s) Successfully Converted";
inline constexpr const char* kMsgExported = "File(s) Successfully Exported";

// What a run did.
struct CRunResult {
  enum class End {
    kDone,       // every file was tried, or skipped after a failed one
    kNoMatch,    // a pattern matched nothing: no file was tried
    kStopped,    // a failure that every later file would share ended it
    kCancelled,  // the observer stopped it between two files
    kDeclined,   // "Warning!" was answered with Cancel
  };
  End end = End::kDone;
  // The drawings to convert, however far the run got (a file the run did
  // not reach counts as one).
  size_t files = 0;
  bool pages = false;  // a file held several drawings: the pages of a PDF
  size_t written = 0;
  size_t skipped = 0;  // the configuration does not apply
  size_t failed = 0;
  std::string unmatched;  // kNoMatch: the pattern that matched nothing

  bool AllWritten() const {
    return end == End::kDone && files > 0 && written == files;
  }
};

// Follows a run from outside: the desktop's progress window, the command
// line's reports.
class IRunObserver {
 public:
  virtual ~IRunObserver() = default;
  // Before (the first drawing of) file `index` (0-based) of `count`.
  // Returning false cancels the run before that file.
  virtual bool StartFile(size_t index, size_t count, const std::string& path);
  // After the job of each drawing; `job` still holds its outcome (and
  // report).
  virtual void FileDone(const CConversionJob& job);
};

// Runs `job` over the drawings of the files of `inputs` (see ExpandInputs)
// with the settings of `request`; its input, page and file index are set for
// each drawing. A pattern that matches nothing ends the run before any file
// is tried. A failure that concerns the output or the configuration ends the
// run; a drawing that cannot be read ends a KEL run, and of an export only
// its own pattern.
CRunResult RunConversions(CConversionJob& job, CConversionRequest request,
                          const std::vector<std::string>& inputs,
                          IRunObserver& observer);

// Who reads the closing message: the dialog says "File(s) Successfully
// Converted" when every file was written; the command line counts them, and
// says nothing after a single file (its job said what went wrong).
enum class RunAudience { kDialog, kCommandLine };

struct CClosingMessage {
  std::string text;  // empty: no closing message is due
  MessageLevel level = MessageLevel::kInformation;
};

// The message that closes a run: success only when every file was written;
// otherwise how many of how many were written and what became of the rest
// ("2 of 3 files converted; 1 skipped: the configuration does not apply."),
// a warning when some were written, an error when none was. A cancelled run
// says so; a declined one, and a single file that was not written (its job
// has said why), get none.
CClosingMessage ClosingMessage(const CRunResult& result, OutputKind kind,
                               RunAudience audience);
