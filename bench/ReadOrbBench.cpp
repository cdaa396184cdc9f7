// SPDX-License-Identifier: GPL-3.0-or-later
// Times reading a large bill-of-material file: 1,000,000 entity lines in a
// 500 x 2000 grid, written in shuffled order with CR LF line ends.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "input/Orb.h"

namespace {

constexpr int kLines = 1000000;

class OrbFile {
 public:
  OrbFile() {
    std::string dir =
        (std::filesystem::temp_directory_path() / "kelconv-bench-XXXXXX")
            .string();
    if (mkdtemp(dir.data()) == nullptr) std::abort();
    m_dir = dir;
    m_path = (m_dir / "large.orb").string();

    std::vector<int> order(kLines);
    for (int i = 0; i < kLines; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    std::string bytes;
    bytes.reserve(size_t{kLines} * 40);
    char line[96];
    for (int i : order) {
      const int n =
          std::snprintf(line, sizeof line, "(%d.%03d %d.5 0),PL%d\r\n",
                        i % 500 * 10, i % 1000, i / 500, i % 97);
      bytes.append(line, static_cast<size_t>(n));
    }
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~OrbFile() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }
  const std::string& Path() const { return m_path; }

 private:
  std::filesystem::path m_dir;
  std::string m_path;
};

void BM_ReadOrbFile(benchmark::State& state) {
  static const OrbFile file;
  const std::vector<std::string> discard = {"REF", "N.T.S."};
  for (auto _ : state) {
    COrb orb;
    const int result = orb.ReadOrbFile(file.Path(), false, false,
                                       state.range(0) ? &discard : nullptr);
    if (result != 0) state.SkipWithError("reading failed");
    benchmark::DoNotOptimize(orb.m_texts.data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReadOrbFile)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("discard")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
