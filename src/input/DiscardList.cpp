// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DiscardList.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

#include "config/FileBytes.h"

namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool LoadDiscardList(const std::string& path, std::vector<std::string>& list) {
  // Opening a FIFO without O_NONBLOCK would wait for a writer.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return true;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return false;
  }
  std::string data;
  const bool read = ReadAll(fd, data);
  close(fd);
  if (!read) {
    // Keep only complete lines: a cut phrase would remove more than meant.
    const size_t lastBreak = data.rfind('\n');
    data.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
  }

  std::string_view rest(data);
  while (!rest.empty()) {
    const size_t lineEnd = rest.find('\n');
    std::string_view line = rest.substr(0, lineEnd);
    rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size()
                                                         : lineEnd + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    while (!line.empty() && IsBlankOrTab(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsBlankOrTab(line.back())) line.remove_suffix(1);
    if (!line.empty()) list.emplace_back(line);
  }
  return true;
}

std::string DiscardListPath(const std::string& programDirectory) {
  if (programDirectory.empty()) return "./DISCARD.TXT";
  if (programDirectory.back() == '/') return programDirectory + "DISCARD.TXT";
  return programDirectory + "/DISCARD.TXT";
}
