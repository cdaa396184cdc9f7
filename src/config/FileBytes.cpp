// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/FileBytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>

#include "text/LargePages.h"

bool ReadAll(int fd, std::string& data) {
  // A regular file is read straight into room for its size (one more byte
  // shows the end without another round), so that a large file is neither
  // copied on its way in nor held twice while the string grows.
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    const off_t at = lseek(fd, 0, SEEK_CUR);
    if (at >= 0 && at < info.st_size) {
      const size_t expected = static_cast<size_t>(info.st_size - at);
      try {
        data.reserve(data.size() + expected + 1);
        AdviseLargePages(data.data(), data.capacity());
      } catch (const std::exception&) {
        // Only a hint: the string grows as it must.
      }
    }
  }
  constexpr size_t kChunk = 65536;
  for (;;) {
    // Read into the string's own spare room when it has some.
    size_t room = data.capacity() - data.size();
    if (room == 0) room = kChunk;
    const size_t start = data.size();
    data.resize(start + room);
    const ssize_t got = read(fd, data.data() + start, room);
    data.resize(start + (got > 0 ? static_cast<size_t>(got) : 0));
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
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
