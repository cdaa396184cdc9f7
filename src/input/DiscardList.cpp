// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DiscardList.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

void LoadDiscardList(const std::string& path, std::vector<std::string>& list) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) return;
  std::string data;
  char chunk[8192];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    data.append(chunk, got);
  }
  if (std::ferror(file.get())) {
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
}

std::string DiscardListPath(const std::string& programDirectory) {
  if (programDirectory.empty()) return "./DISCARD.TXT";
  if (programDirectory.back() == '/') return programDirectory + "DISCARD.TXT";
  return programDirectory + "/DISCARD.TXT";
}
