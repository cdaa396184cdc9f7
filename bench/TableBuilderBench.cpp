// SPDX-License-Identifier: GPL-3.0-or-later
// Times rebuilding the table of a generated drawing: a title, one header line
// of 8 columns and N item lines 5000 apart, every text up to 50 above or
// below its line and up to 200 beside its column, in reading order.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "input/Orb.h"

namespace {

const char* const kHeaders[] = {"MARK",  "QTY",    "DESCRIPTION", "LENGTH",
                                "GRADE", "WEIGHT", "REMARKS",     "SEQ"};
const int kTypes[] = {kColPieceMark, kColQuantity, kColMaterial, kColLengthFtIn,
                      kColGrade,     kColWeight,   kColRemarks,  kColSequence};

COrb MakeDrawing(int lines) {
  COrb orb;
  std::mt19937 rng(lines);
  std::uniform_int_distribution<int32_t> dy(-50, 50);
  std::uniform_int_distribution<int32_t> dx(-200, 200);
  const int32_t headerY = (lines + 1) * 5000;
  orb.m_texts.push_back({0, headerY + 20000, "BILL OF MATERIAL"});
  for (int c = 0; c < 8; ++c) {
    orb.m_texts.push_back({c * 10000, headerY, kHeaders[c]});
    CConfigColumnItem item;
    item.m_strHeader = kHeaders[c];
    item.m_strType = kColumnTypeNames[kTypes[c]];
    item.m_nType = kTypes[c];
    orb.m_config.m_columns.push_back(item);
  }
  for (int r = 0; r < lines; ++r) {
    const int32_t y = (lines - r) * 5000;
    char mark[16];
    std::snprintf(mark, sizeof mark, "A%d", r);
    const std::string cells[] = {mark,
                                 std::to_string(1 + r % 9),
                                 "W12X26",
                                 "20'-6",
                                 "A992",
                                 "520",
                                 r % 3 ? "" : "GALV",
                                 std::to_string(r / 50)};
    for (int c = 0; c < 8; ++c) {
      orb.m_texts.push_back({c * 10000 + dx(rng), y + dy(rng), cells[c]});
    }
  }
  std::stable_sort(orb.m_texts.begin(), orb.m_texts.end(),
                   [](const COrbText& a, const COrbText& b) {
                     return a.m_y != b.m_y ? a.m_y > b.m_y : a.m_x < b.m_x;
                   });
  return orb;
}

void BM_ApplyLoadedConfiguration(benchmark::State& state) {
  const COrb drawing = MakeDrawing(static_cast<int>(state.range(0)));
  const double texts = static_cast<double>(drawing.m_texts.size());
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    COrb orb = drawing;
    state.ResumeTiming();
    benchmark::DoNotOptimize(orb.ApplyLoadedConfiguration());
    rows = orb.m_nRows;
    state.PauseTiming();
    orb = COrb();  // freeing the rows is not part of the rebuild
    state.ResumeTiming();
  }
  state.counters["texts"] = texts;
  state.counters["rows"] = rows;
  state.counters["time_per_text"] =
      benchmark::Counter(texts, benchmark::Counter::kIsIterationInvariantRate |
                                    benchmark::Counter::kInvert);
}

BENCHMARK(BM_ApplyLoadedConfiguration)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
