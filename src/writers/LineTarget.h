// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "writers/OutputFile.h"

// Where a writer puts its lines: a file on disk or a text in memory. Every
// line is followed by CR LF.
//
// Lifecycle: constructed -> OpenFile or UseMemory -> WriteLine ... ->
// Close. A file gets the lines whole or not at all (writers/OutputFile.h):
// the destructor, like a failed write, leaves it as it was before OpenFile.
class CLineTarget {
 public:
  CLineTarget() = default;
  CLineTarget(const CLineTarget&) = delete;
  CLineTarget& operator=(const CLineTarget&) = delete;
  ~CLineTarget();

  // Opens the file at `path` for writing. `openMode` is kOpenCreateWrite
  // (the lines replace the file, or make a new one) or kOpenWriteNoTruncate
  // (the file must exist; nothing is created and the lines are appended
  // under a lock). `calls` (null: the system's) puts the bytes on disk.
  // Returns 0, or -1 when the file cannot be opened or the mode is neither
  // of the two (EINVAL).
  int OpenFile(const std::string& path, int openMode,
               IOutputCalls* calls = nullptr);

  // Sends the lines to the end of `*text` (kept alive by the caller until
  // the target is closed or destroyed). Existing contents are kept.
  void UseMemory(std::string* text);

  // Writes `line` followed by CR LF, each CR or LF inside `line` written as
  // a blank, so that one call gives exactly one line. A file gets its lines
  // in blocks of about 64 KiB, so a write error shows at the call that
  // sends a block, or at Close. Returns 0, or -1 when the write fails (or
  // nothing was opened). After a failure every later call fails too.
  int WriteLine(const std::string& line);

  // Writes the lines not yet sent and makes them the file's. Returns 0, or
  // -1 when a write failed, now or before: the file is then left as it was
  // and Error() says why. Closing a memory target, or one never opened,
  // returns 0.
  int Close();

  // The errno of the call that failed (0 when none did).
  int Error() const { return m_nError; }

 private:
  static constexpr size_t kBlockSize = 65536;

  // Sends m_buffer to the file and empties it; 0, or -1 on a write error.
  int Flush();

  std::unique_ptr<COutputFile> m_pFile;
  int m_nError = 0;
  std::string* m_pMemory = nullptr;
  std::string m_buffer;  // lines of the file not yet written
};
