// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Where a writer puts its lines: a file on disk or a text in memory. Every
// line is followed by CR LF.
//
// Lifecycle: constructed -> OpenFile or UseMemory -> WriteLine ... ->
// Close. The destructor closes a file that is still open (ignoring errors);
// call Close() to learn whether the last bytes reached the file.
class CLineTarget {
 public:
  CLineTarget() = default;
  CLineTarget(const CLineTarget&) = delete;
  CLineTarget& operator=(const CLineTarget&) = delete;
  ~CLineTarget();

  // Opens the file at `path` for writing and positions it at its end.
  // `openMode` is kOpenCreateWrite (the file is created, or emptied when it
  // exists) or kOpenWriteNoTruncate (the file must exist; nothing is created
  // and the lines are appended). Returns 0, or -1 when the file cannot be
  // opened or positioned, or the mode is neither of the two.
  int OpenFile(const std::string& path, int openMode);

  // Sends the lines to the end of `*text` (kept alive by the caller until
  // the target is closed or destroyed). Existing contents are kept.
  void UseMemory(std::string* text);

  // Writes `line` followed by CR LF, each CR or LF inside `line` written as
  // a blank, so that one call gives exactly one line. A file gets its lines
  // in blocks of about 64 KiB, so a write error shows at the call that
  // sends a block, or at Close. Returns 0, or -1 when the write fails (or
  // nothing was opened). After a failure the bytes already written stay.
  int WriteLine(const std::string& line);

  // Writes the lines not yet sent and closes the file. Returns 0, or -1 when
  // that write fails or closing reports an error. Closing a memory target,
  // or one never opened, returns 0.
  int Close();

 private:
  static constexpr size_t kBlockSize = 65536;

  // Sends m_buffer to the file and empties it; 0, or -1 on a write error.
  int Flush();

  int m_fd = -1;
  std::string* m_pMemory = nullptr;
  std::string m_buffer;  // lines of the file not yet written
};
