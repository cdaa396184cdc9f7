// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// The two system calls through which an output file's bytes reach the disk.
// The program uses the system's own; tests and a fuzz target pass one that
// fails at a byte of their choosing.
class IOutputCalls {
 public:
  virtual ~IOutputCalls() = default;
  // As write(2): the number of bytes taken, or -1 with errno set.
  virtual ssize_t Write(int fd, const void* data, size_t size) = 0;
  // As fsync(2): 0, or -1 with errno set.
  virtual int Sync(int fd) = 0;
};

// How an output file takes its new bytes.
enum class OutputMode {
  // The file holds exactly the new bytes, or stays as it was. They are
  // written into a temporary file in the same folder, which is flushed to
  // disk and renamed over the file at Commit. The new file keeps the old
  // one's permission bits (and, where the system allows, its owner and
  // group); a symbolic link keeps pointing at it: the file the link names
  // is replaced. A new file gets the permissions the umask leaves; a file
  // this user may not write is not replaced.
  kReplace,
  // The new bytes go after the existing ones, or none do. The file must
  // exist; it is opened for appending and locked (flock) until Commit or
  // Rollback, so that a second writer waits for the first. Its length at
  // the start is remembered and restored on failure.
  kAppend,
};

// One output file written whole or not at all.
//
// Lifecycle: constructed -> Open -> Write ... -> Commit (or Rollback). The
// destructor rolls back an output that was not committed. An output that
// exists and is not a regular file (a terminal, a pipe, /dev/null) is
// written in place: there is nothing to replace or to take back.
//
// While an output is being written, SIGINT, SIGTERM and SIGHUP (once
// CatchTerminationSignals was called) first take it back, then end the
// program as they would have. A SIGKILL or a power cut cannot be caught: a
// replaced file then stays as it was; an append keeps the bytes that had
// reached the file.
class COutputFile {
 public:
  // `calls` (kept alive by the caller) puts the bytes on disk; null means
  // the system's write and fsync.
  explicit COutputFile(IOutputCalls* calls = nullptr);
  COutputFile(const COutputFile&) = delete;
  COutputFile& operator=(const COutputFile&) = delete;
  ~COutputFile();

  // Opens the output `path` as `mode` says. Returns 0, or -1 with Error()
  // set (the file cannot be created or opened; a folder; kAppend and no
  // such file). Waits while another writer holds an append's lock.
  int Open(const std::string& path, OutputMode mode);

  // Writes all `size` bytes. Returns 0, or -1 with Error() set; after a
  // failure every later Write and Commit fails and the output is rolled
  // back at Commit or destruction.
  int Write(const char* data, size_t size);

  // Makes the written bytes the file's: flushes them to disk and renames
  // the temporary file over the output, or releases an append's lock.
  // Returns 0, or -1 with Error() set and the file left as it was.
  int Commit();

  // Leaves the file as it was before Open: removes the temporary file, or
  // cuts an append back to the remembered length. Nothing happens when no
  // output is open.
  void Rollback();

  // The errno of the call that failed (0 when none did).
  int Error() const { return m_nError; }

 private:
  int Fail(int error);
  int OpenReplace(const std::string& path);
  int OpenAppend(const std::string& path);
  void Release();

  IOutputCalls* m_pCalls;
  OutputMode m_mode = OutputMode::kReplace;
  int m_fd = -1;
  bool m_bInPlace = false;   // not a regular file: written where it is
  bool m_bUnnamed = false;   // the temporary file has no name yet
  bool m_bExisted = false;   // kReplace over an existing file
  bool m_bFailed = false;
  int m_nError = 0;
  int m_nSlot = -1;          // in the table of the signal handler
  off_t m_nStartLength = 0;  // kAppend: the file's length at Open
  std::string m_strTarget;   // kReplace: the file that is replaced
  std::string m_strTemp;     // kReplace: the temporary file's name, if any
  mode_t m_nMode = 0;        // kReplace over a file: its permission bits
  uid_t m_nOwner = 0;
  gid_t m_nGroup = 0;
};

// Replaces the file at `path` (kReplace) with exactly `bytes`. Returns 0,
// or the errno of the call that failed, the file left as it was.
int ReplaceWholeFile(const std::string& path, const std::string& bytes);

// Lets SIGINT, SIGTERM and SIGHUP take back the outputs being written
// before they end the program (see COutputFile). Call once at start-up.
void CatchTerminationSignals();

// True when both paths name one existing file (the same device and inode,
// links followed): "in.orb", "./in.orb", a symbolic or a hard link to it.
// "-" stands for standard input.
bool SameFile(const std::string& first, const std::string& second);

// The system's reason for `error` ("No space left on device").
std::string ErrorText(int error);
