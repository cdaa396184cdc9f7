// SPDX-License-Identifier: GPL-3.0-or-later
// Replays inputs through a fuzz target's entry point without libFuzzer, so
// that the normal (and the sanitizer) build checks every corpus file.
//
// Usage: replay_<target> PATH...; a directory stands for the regular files
// in it, in name order. Fails when there is nothing to replay or a file
// cannot be read; a finding aborts, as under the fuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool Replay(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)),
                          std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  // A buffer of exactly the input's size, so that a read past its end is
  // caught by AddressSanitizer.
  auto buffer = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), buffer.get());
  LLVMFuzzerTestOneInput(buffer.get(), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path(argv[i]);
    if (std::filesystem::is_directory(path)) {
      std::vector<std::filesystem::path> inDir;
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (entry.is_regular_file()) inDir.push_back(entry.path());
      }
      std::sort(inDir.begin(), inDir.end());
      files.insert(files.end(), inDir.begin(), inDir.end());
    } else {
      files.push_back(path);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "no input to replay\n");
    return 1;
  }
  for (const auto& file : files) {
    if (!Replay(file)) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 1;
    }
  }
  std::printf("replayed %zu inputs\n", files.size());
  return 0;
}
