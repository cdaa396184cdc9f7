// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/LineTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "config/FileBytes.h"
#include "input/Orb.h"

namespace {

// Appends `line` and CR LF to `out`. A CR or LF inside the line (a
// configuration text may hold one) would split the record in two, so each
// becomes a blank.
void AppendLine(std::string& out, const std::string& line) {
  const size_t start = out.size();
  out.append(line);
  for (size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  }
  out.append("\r\n");
}

}  // namespace

CLineTarget::~CLineTarget() { Close(); }

int CLineTarget::OpenFile(const std::string& path, int openMode) {
  Close();
  m_pMemory = nullptr;
  int flags = 0;
  if (openMode == kOpenCreateWrite) {
    flags = O_WRONLY | O_CREAT | O_TRUNC;
  } else if (openMode == kOpenWriteNoTruncate) {
    // Without O_CREAT, appending to a missing file fails and creates nothing.
    flags = O_WRONLY;
  } else {
    return -1;
  }
  int fd;
  do {
    fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  if (lseek(fd, 0, SEEK_END) < 0) {
    close(fd);
    return -1;
  }
  m_fd = fd;
  return 0;
}

void CLineTarget::UseMemory(std::string* text) {
  Close();
  m_pMemory = text;
}

int CLineTarget::WriteLine(const std::string& line) {
  if (m_pMemory != nullptr) {
    AppendLine(*m_pMemory, line);
    return 0;
  }
  if (m_fd < 0) return -1;
  AppendLine(m_buffer, line);
  return m_buffer.size() < kBlockSize ? 0 : Flush();
}

int CLineTarget::Flush() {
  const bool written = WriteAll(m_fd, m_buffer);
  m_buffer.clear();
  return written ? 0 : -1;
}

int CLineTarget::Close() {
  m_pMemory = nullptr;
  if (m_fd < 0) return 0;
  const int flushed = Flush();
  int fd = m_fd;
  m_fd = -1;
  // The descriptor is released even when close() reports an error (EINTR
  // included), so it is never closed twice.
  return close(fd) == 0 ? flushed : -1;
}
