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

namespace {

// Reads all of `fd` into `data`; false on a read error.
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

// Writes all of `data` to `fd`; false on a write error.
bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t put = write(fd, data.data() + done, data.size() - done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(put);
  }
  return true;
}

}  // namespace

int LoadConfigurationFile(const std::string& path, CConfiguration& config) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::string data;
  const bool ok = ReadAll(fd, data);
  close(fd);
  if (!ok) return -1;

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
