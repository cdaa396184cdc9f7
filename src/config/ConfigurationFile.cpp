// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing configuration files. The whole file passes through
// memory: it is read before anything is decoded, and the bytes of a stored
// configuration are complete before the file is created.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <utility>

#include "config/Archive.h"
#include "config/Configuration.h"
#include "config/FileBytes.h"

int LoadConfigurationFile(const std::string& path, CConfiguration& config) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::string data;
  const bool ok = ReadAll(fd, data);
  const int error = errno;
  close(fd);
  if (!ok) {
    errno = error;
    return -1;
  }

  CArchive ar(std::move(data));
  config.Serialize(ar);
  return 0;
}

int StoreConfigurationFile(const std::string& path,
                           const CConfiguration& config) {
  CArchive ar;
  try {
    config.Store(ar);
  } catch (const std::length_error&) {
    return -1;
  }

  const int fd =
      open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  const bool written = WriteAll(fd, ar.Buffer());
  const bool closed = close(fd) == 0;
  return written && closed ? 0 : -1;
}
