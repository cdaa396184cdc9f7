// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/PatternExpansion.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace {

// fnmatch would read "[...]" as a set and "\" as an escape; only "*" and
// "?" are wildcards here.
std::string EscapeForFnmatch(const std::string& name) {
  std::string escaped;
  escaped.reserve(name.size() * 2);
  for (const char c : name) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

struct DirCloser {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

std::vector<std::string> ExpandPattern(const std::string& pattern) {
  const size_t slash = pattern.rfind('/');
  const std::string directory =
      slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
  const std::string name =
      slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  std::vector<std::string> matches;
  if (name.empty()) return matches;

  const std::unique_ptr<DIR, DirCloser> dir(
      opendir(directory.empty() ? "." : directory.c_str()));
  if (!dir) return matches;
  const std::string fnPattern = EscapeForFnmatch(name);
  while (const dirent* entry = readdir(dir.get())) {
    const std::string entryName = entry->d_name;
    if (entryName == "." || entryName == "..") continue;
    if (fnmatch(fnPattern.c_str(), entryName.c_str(), 0) == 0) {
      matches.push_back(directory + entryName);
    }
  }
  // The file system lists entries in no useful order.
  std::sort(matches.begin(), matches.end());
  return matches;
}

bool NamesOneFile(const std::string& text) {
  struct stat status;
  return text == "-" || stat(text.c_str(), &status) == 0 ||
         text.find_first_of("*?;\"") == std::string::npos;
}

CInputFiles ExpandInputs(const std::vector<std::string>& texts) {
  CInputFiles files;
  for (const std::string& text : texts) {
    if (NamesOneFile(text)) {
      if (!text.empty()) files.groups.push_back({text});
      continue;
    }
    for (const std::string& piece : SplitExportPatterns(text)) {
      if (piece.empty()) continue;
      if (piece.find_first_of("*?") == std::string::npos) {
        files.groups.push_back({piece});
        continue;
      }
      std::vector<std::string> matches = ExpandPattern(piece);
      if (matches.empty()) {
        if (files.unmatched.empty()) files.unmatched = piece;
        continue;
      }
      files.groups.push_back(std::move(matches));
    }
  }
  return files;
}

std::string FirstInputFile(const std::string& text) {
  const CInputFiles files = ExpandInputs({text});
  return files.groups.empty() ? std::string() : files.groups.front().front();
}

std::vector<std::string> SplitExportPatterns(const std::string& text) {
  std::vector<std::string> patterns;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string piece = text.substr(start, end - start);
    if (!piece.empty()) {
      if (piece.front() == '"') piece.erase(0, 1);
      if (!piece.empty() && piece.back() == '"') piece.pop_back();
      patterns.push_back(piece);
    }
    start = end + 1;
  }
  return patterns;
}

std::string JoinChosenFiles(const std::vector<std::string>& paths) {
  if (paths.size() == 1) return paths.front();
  std::string text;
  for (const std::string& path : paths) {
    if (!text.empty()) text += ';';
    text += '"' + path + '"';
  }
  return text;
}
