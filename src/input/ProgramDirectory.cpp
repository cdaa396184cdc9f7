// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ProgramDirectory.h"

#include <unistd.h>

#include <vector>

std::string ProgramDirectory() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length =
        readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return ".";
    if (static_cast<size_t>(length) < buffer.size()) {
      const std::string exe(buffer.data(), static_cast<size_t>(length));
      const size_t slash = exe.rfind('/');
      if (slash == std::string::npos) return ".";
      if (slash == 0) return "/";
      return exe.substr(0, slash);
    }
    // The link may have been cut short: try again with more room.
    if (buffer.size() >= 65536) return ".";
    buffer.resize(buffer.size() * 2);
  }
}
