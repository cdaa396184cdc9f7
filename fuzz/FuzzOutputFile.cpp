// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the writers' output file on a disk that fills up (or whose
// fsync fails) at a chosen byte. Whatever happens, the file holds either
// its old bytes and the new lines, or its old bytes alone, and no
// temporary file is left beside it.
//
// Input: the old contents, the lines to write (split at LF), and an options
// part (byte 0: bit 0 append, bit 1 fsync fails; bytes 1-4: the bytes the
// disk takes, little-endian, counted modulo the bytes to write plus 2; all
// of them when the count is missing),
// parted by separator lines (FuzzSupport.h).

#include <dirent.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>

#include "../tests/support/FailingCalls.h"
#include "FuzzSupport.h"
#include "input/Orb.h"
#include "writers/LineTarget.h"

namespace {

// Whether the folder of `path` holds a name that begins with "." and the
// file's name, as the temporary files do.
bool TemporaryFileLeft(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string prefix = "." + path.substr(slash + 1) + ".";
  DIR* dir = opendir(path.substr(0, slash).c_str());
  if (dir == nullptr) return false;
  bool found = false;
  while (const dirent* entry = readdir(dir)) {
    found = found || std::string(entry->d_name).rfind(prefix, 0) == 0;
  }
  closedir(dir);
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile outFile("out.kel");
  const auto parts = fuzz::SplitInput(fuzz::AsText(data, size), 3);
  const std::string options(parts[2]);
  const unsigned flags = options.empty() ? 0u : static_cast<unsigned char>(options[0]);
  uint32_t room = 0;
  for (size_t i = 1; i < 5 && i < options.size(); ++i) {
    room |= static_cast<uint32_t>(static_cast<unsigned char>(options[i])) << (8 * (i - 1));
  }

  std::vector<std::string> lines;
  std::string_view text = parts[1];
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  std::string expected;
  CLineTarget memory;
  memory.UseMemory(&expected);
  for (const std::string& line : lines) FUZZ_CHECK(memory.WriteLine(line) == 0);

  const std::string old(parts[0]);
  outFile.Write(old);
  const bool append = (flags & 1u) != 0;
  // Without a count the disk takes every byte.
  const size_t taken =
      options.size() < 5 ? expected.size() : room % (expected.size() + 2);
  const bool syncFails = (flags & 2u) != 0;
  CFailingCalls calls(taken, syncFails ? EIO : 0);
  CLineTarget target;
  FUZZ_CHECK(target.OpenFile(outFile.Path(),
                             append ? kOpenWriteNoTruncate : kOpenCreateWrite,
                             &calls) == 0);
  int result = 0;
  for (const std::string& line : lines) {
    if (result == 0) result = target.WriteLine(line);
  }
  if (target.Close() != 0) result = -1;

  FUZZ_CHECK((result != 0) == (syncFails || taken < expected.size()));
  const std::string after = outFile.Read();
  if (result == 0) {
    FUZZ_CHECK(target.Error() == 0);
    FUZZ_CHECK(after == (append ? old + expected : expected));
  } else {
    FUZZ_CHECK(target.Error() == ENOSPC || target.Error() == EIO);
    FUZZ_CHECK(after == old);
  }
  FUZZ_CHECK(!TemporaryFileLeft(outFile.Path()));
  return 0;
}
