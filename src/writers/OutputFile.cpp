// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/OutputFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

class CSystemCalls : public IOutputCalls {
 public:
  ssize_t Write(int fd, const void* data, size_t size) override {
    return ::write(fd, data, size);
  }
  int Sync(int fd) override { return ::fsync(fd); }
};

// What the signal handler must undo for one output being written: an
// append to cut back, or a named temporary file to remove. Written with the
// termination signals blocked, read only by the handler.
struct CUndoSlot {
  volatile sig_atomic_t m_bUsed = 0;
  int m_fd = -1;  // an append's descriptor, or -1
  off_t m_nLength = 0;
  char m_temp[4096] = {};  // a temporary file's name, or ""
};
CUndoSlot g_undo[4];

const int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Blocks the termination signals for the life of the object, so that the
// handler never sees a slot half filled.
class CSignalsBlocked {
 public:
  CSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (const int sig : kTerminationSignals) sigaddset(&set, sig);
    sigprocmask(SIG_BLOCK, &set, &m_old);
  }
  ~CSignalsBlocked() { sigprocmask(SIG_SETMASK, &m_old, nullptr); }

 private:
  sigset_t m_old;
};

extern "C" void UndoAndEnd(int sig) {
  for (CUndoSlot& slot : g_undo) {
    if (slot.m_bUsed == 0) continue;
    // Nothing more can be done here when these fail.
    if (slot.m_fd >= 0 && ftruncate(slot.m_fd, slot.m_nLength) != 0) continue;
    if (slot.m_temp[0] != '\0') unlink(slot.m_temp);
  }
  // The signal stays blocked until the handler returns; then it ends the
  // program as it would have without a handler.
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

// Takes a slot for an append (fd >= 0) or a named temporary file; -1 when
// all are taken (the output is then not undone by a signal) or the name is
// too long.
int TakeSlot(int fd, off_t length, const std::string& temp) {
  if (temp.size() >= sizeof g_undo[0].m_temp) return -1;
  CSignalsBlocked blocked;
  for (int i = 0; i < static_cast<int>(std::size(g_undo)); ++i) {
    CUndoSlot& slot = g_undo[i];
    if (slot.m_bUsed != 0) continue;
    slot.m_fd = fd;
    slot.m_nLength = length;
    std::memcpy(slot.m_temp, temp.c_str(), temp.size() + 1);
    // The handler may run on another thread, where the mask does not hold.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    slot.m_bUsed = 1;
    return i;
  }
  return -1;
}

void FreeSlot(int& index) {
  if (index < 0) return;
  CSignalsBlocked blocked;
  g_undo[index].m_bUsed = 0;
  index = -1;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that `path` names once its symbolic links are followed (the
// folders on the way are left as they are); `path` itself when it is not a
// link. False with errno ELOOP for a chain of links that does not end.
bool FollowLinks(const std::string& path, std::string& target) {
  target = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat st;
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(4096, '\0');
    const ssize_t size = readlink(target.c_str(), link.data(), link.size());
    if (size < 0 || static_cast<size_t>(size) >= link.size()) return true;
    link.resize(static_cast<size_t>(size));
    target = link[0] == '/' ? link : DirectoryOf(target) + "/" + link;
  }
  errno = ELOOP;
  return false;
}

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

COutputFile::COutputFile(IOutputCalls* calls) : m_pCalls(calls) {
  static CSystemCalls system;
  if (m_pCalls == nullptr) m_pCalls = &system;
}

COutputFile::~COutputFile() { Rollback(); }

int COutputFile::Fail(int error) {
  m_bFailed = true;
  m_nError = error != 0 ? error : EIO;
  return -1;
}

int COutputFile::Open(const std::string& path, OutputMode mode) {
  Rollback();
  m_mode = mode;
  m_bFailed = false;
  m_nError = 0;
  const int opened =
      mode == OutputMode::kAppend ? OpenAppend(path) : OpenReplace(path);
  if (opened != 0) Release();
  return opened;
}

int COutputFile::OpenReplace(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Fail(EISDIR);
    if (!S_ISREG(st.st_mode)) {
      m_bInPlace = true;
      m_fd = OpenRetrying(path.c_str(), O_WRONLY | O_NOCTTY);
      return m_fd < 0 ? Fail(errno) : 0;
    }
  }
  if (!FollowLinks(path, m_strTarget)) return Fail(errno);
  m_bExisted = stat(m_strTarget.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  if (m_bExisted) {
    // A file its owner made read-only stays as it is, as it did when it
    // was written in place.
    if (faccessat(AT_FDCWD, m_strTarget.c_str(), W_OK, AT_EACCESS) != 0) {
      return Fail(errno);
    }
    m_nMode = st.st_mode & 07777;
    m_nOwner = st.st_uid;
    m_nGroup = st.st_gid;
  }
  const std::string directory = DirectoryOf(m_strTarget);
  // A file without a name vanishes with the program, however it ends; it
  // gets one (through /proc) just before the rename.
  m_fd = OpenRetrying(directory.c_str(), O_TMPFILE | O_WRONLY, 0666);
  if (m_fd >= 0 && access("/proc/self/fd", X_OK) == 0) {
    m_bUnnamed = true;
    return 0;
  }
  if (m_fd >= 0) close(m_fd);
  m_strTemp = directory + "/." + BaseName(m_strTarget) + ".XXXXXX";
  m_fd = mkostemp(m_strTemp.data(), O_CLOEXEC);
  if (m_fd < 0) {
    const int error = errno;
    m_strTemp.clear();
    return Fail(error);
  }
  m_nSlot = TakeSlot(-1, 0, m_strTemp);
  if (!m_bExisted) {
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(m_fd, 0666 & ~mask) != 0) return Fail(errno);
  }
  return 0;
}

int COutputFile::OpenAppend(const std::string& path) {
  // Another writer may replace the file while this one waits for the
  // lock: the lock counts only when it is on the file the path names.
  for (int attempt = 0; attempt < 100; ++attempt) {
    m_fd = OpenRetrying(path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY);
    if (m_fd < 0) return Fail(errno);
    struct stat opened;
    if (fstat(m_fd, &opened) != 0) return Fail(errno);
    if (!S_ISREG(opened.st_mode)) {
      m_bInPlace = true;
      return 0;
    }
    int locked;
    do {
      locked = flock(m_fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    // A file system without locks still takes appends, as it always did.
    if (locked != 0 && errno != ENOLCK && errno != EOPNOTSUPP &&
        errno != EINVAL) {
      return Fail(errno);
    }
    struct stat named;
    if (stat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
        named.st_ino == opened.st_ino) {
      if (fstat(m_fd, &opened) != 0) return Fail(errno);
      m_nStartLength = opened.st_size;
      m_nSlot = TakeSlot(m_fd, m_nStartLength, "");
      return 0;
    }
    close(m_fd);
    m_fd = -1;
  }
  return Fail(EBUSY);
}

int COutputFile::Write(const char* data, size_t size) {
  if (m_bFailed) return -1;
  if (m_fd < 0) return Fail(EBADF);
  while (size > 0) {
    const ssize_t put = m_pCalls->Write(m_fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return Fail(put < 0 ? errno : EIO);
    data += put;
    size -= static_cast<size_t>(put);
  }
  return 0;
}

int COutputFile::Commit() {
  if (m_bFailed) {
    Rollback();
    return -1;
  }
  if (m_fd < 0) return Fail(EBADF);
  if (m_bInPlace) {
    const int closed = close(m_fd);
    m_fd = -1;
    return closed == 0 ? 0 : Fail(errno);
  }
  if (m_mode == OutputMode::kReplace && m_bExisted) {
    // Owner and group only where the system lets this user keep them.
    if (fchown(m_fd, m_nOwner, m_nGroup) != 0 &&
        fchown(m_fd, static_cast<uid_t>(-1), m_nGroup) != 0) {
      // The new file belongs to this user, as a new file would.
    }
    if (fchmod(m_fd, m_nMode) != 0) Fail(errno);
  }
  if (!m_bFailed && m_pCalls->Sync(m_fd) != 0) Fail(errno);
  if (!m_bFailed && m_bUnnamed) {
    // The name exists only until the rename, an instant later.
    const std::string link = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = DirectoryOf(m_strTarget) + "/." +
                         BaseName(m_strTarget) + "." +
                         std::to_string(getpid()) + "-" +
                         std::to_string(attempt);
      if (linkat(AT_FDCWD, link.c_str(), AT_FDCWD, name.c_str(),
                 AT_SYMLINK_FOLLOW) == 0) {
        m_strTemp = std::move(name);
        m_nSlot = TakeSlot(-1, 0, m_strTemp);
        break;
      }
      if (errno != EEXIST) break;
    }
    if (m_strTemp.empty()) Fail(errno);
  }
  if (m_bFailed) {
    Rollback();
    return -1;
  }
  if (m_mode == OutputMode::kAppend) {
    FreeSlot(m_nSlot);
    const int closed = close(m_fd);  // releases the lock
    m_fd = -1;
    return closed == 0 ? 0 : Fail(errno);
  }
  const int closed = close(m_fd);
  m_fd = -1;
  if (closed != 0 || rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
    const int error = errno;
    Rollback();
    return Fail(error);
  }
  FreeSlot(m_nSlot);
  m_strTemp.clear();
  Release();
  return 0;
}

void COutputFile::Rollback() {
  if (m_fd >= 0 && m_mode == OutputMode::kAppend && !m_bInPlace) {
    if (ftruncate(m_fd, m_nStartLength) != 0) {
      // The error that led here is the one reported.
    }
  }
  if (!m_strTemp.empty()) unlink(m_strTemp.c_str());
  Release();
}

void COutputFile::Release() {
  FreeSlot(m_nSlot);
  if (m_fd >= 0) close(m_fd);
  m_fd = -1;
  m_strTemp.clear();
  m_bInPlace = false;
  m_bUnnamed = false;
  m_bExisted = false;
}

int ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  COutputFile file;
  if (file.Open(path, OutputMode::kReplace) != 0 ||
      file.Write(bytes.data(), bytes.size()) != 0 || file.Commit() != 0) {
    return file.Error();
  }
  return 0;
}

void CatchTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = UndoAndEnd;
  sigfillset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int sig : kTerminationSignals) {
    struct sigaction old {};
    sigaction(sig, nullptr, &old);
    // A signal ignored on purpose (nohup) stays ignored.
    if (old.sa_handler != SIG_IGN) sigaction(sig, &action, nullptr);
  }
}

bool SameFile(const std::string& first, const std::string& second) {
  auto identify = [](const std::string& path, struct stat& st) {
    return path == "-" ? fstat(STDIN_FILENO, &st) == 0
                       : stat(path.c_str(), &st) == 0;
  };
  struct stat a, b;
  return identify(first, a) && identify(second, b) && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

std::string ErrorText(int error) { return std::strerror(error); }
