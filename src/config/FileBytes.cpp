// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/FileBytes.h"

#include <unistd.h>

#include <cerrno>

bool ReadAll(int fd, std::string& data) {
  char chunk[65536];
  for (;;) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    data.append(chunk, static_cast<size_t>(got));
  }
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t put = write(fd, data, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    data += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}
