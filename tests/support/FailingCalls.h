// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>

#include "writers/OutputFile.h"

// Output calls of a disk that fills up: writes take bytes until `room` of
// them have been written, then write what still fits and fail with ENOSPC.
// fsync fails with `syncError` when it
// is not 0. With `signal` set, reaching the end of the room raises it
// instead, as a kill in the middle of a write would.
class CFailingCalls : public IOutputCalls {
 public:
  explicit CFailingCalls(size_t room, int syncError = 0, int signal = 0)
      : m_nRoom(room), m_nSyncError(syncError), m_nSignal(signal) {}

  ssize_t Write(int fd, const void* data, size_t size) override {
    if (m_nRoom == 0) {
      if (m_nSignal != 0) std::raise(m_nSignal);
      errno = ENOSPC;
      return -1;
    }
    const ssize_t put = ::write(fd, data, std::min(size, m_nRoom));
    if (put > 0) m_nRoom -= static_cast<size_t>(put);
    return put;
  }
  int Sync(int fd) override {
    if (m_nSyncError == 0) return ::fsync(fd);
    errno = m_nSyncError;
    return -1;
  }

 private:
  size_t m_nRoom;
  int m_nSyncError;
  int m_nSignal;
};
