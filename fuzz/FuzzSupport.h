// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the fuzz targets share: splitting one input into the parts a target
// needs, scratch files for the readers that take a path, and checks that
// stop the run on a broken promise.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// Stops the run (a finding) when `condition` does not hold.
#define FUZZ_CHECK(condition)                                               \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                   #condition);                                             \
      std::abort();                                                         \
    }                                                                       \
  } while (0)

namespace fuzz {

// The line that separates the parts of one input.
inline constexpr std::string_view kSeparator = "\n@@@\n";

// `input` cut at its first `count - 1` separators into `count` parts; parts
// past the last separator found are empty.
inline std::vector<std::string_view> SplitInput(std::string_view input,
                                                size_t count) {
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < count) {
    const size_t at = input.find(kSeparator);
    if (at == std::string_view::npos) break;
    parts.push_back(input.substr(0, at));
    input.remove_prefix(at + kSeparator.size());
  }
  parts.push_back(input);
  parts.resize(count);
  return parts;
}

// The same split on a NUL byte, for lists of short texts.
inline std::vector<std::string> SplitOnNul(std::string_view input) {
  std::vector<std::string> parts;
  size_t at = 0;
  while ((at = input.find('\0')) != std::string_view::npos) {
    parts.emplace_back(input.substr(0, at));
    input.remove_prefix(at + 1);
  }
  parts.emplace_back(input);
  return parts;
}

// A file of this process, in /dev/shm when it can be written there, else in
// $TMPDIR or /tmp, removed when the object goes. Its name holds the process
// id, so parallel runs do not share it.
class ScratchFile {
 public:
  explicit ScratchFile(const char* name) {
    const char* dir = "/dev/shm";
    if (access(dir, W_OK) != 0) {
      dir = std::getenv("TMPDIR");
      if (dir == nullptr || *dir == '\0') dir = "/tmp";
    }
    m_path =
        std::string(dir) + "/kelfuzz-" + std::to_string(getpid()) + "-" + name;
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile() { unlink(m_path.c_str()); }

  const std::string& Path() const { return m_path; }

  // Replaces the file's contents by `bytes`; returns its path.
  const std::string& Write(std::string_view bytes) {
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    // An empty view may hold a null pointer, which fwrite must not get.
    FUZZ_CHECK(bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(),
                                            file) == bytes.size());
    FUZZ_CHECK(std::fclose(file) == 0);
    return m_path;
  }

  // The file's contents ("" when it does not exist).
  std::string Read() const {
    std::string bytes;
    std::FILE* file = std::fopen(m_path.c_str(), "rb");
    if (file == nullptr) return bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
      bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
  }

  void Remove() { unlink(m_path.c_str()); }

 private:
  std::string m_path;
};

inline std::string_view AsText(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace fuzz
