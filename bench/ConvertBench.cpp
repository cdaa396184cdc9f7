// SPDX-License-Identifier: GPL-3.0-or-later
// Times whole conversions of generated bills of material: reading, matching
// the configuration and writing the KEL file, through the conversion job and
// once through the program itself.
//
// Two kinds of table, of 10,000 to 100,000 item lines:
// - mixed: one line per item, the families of a real drawing in turn;
// - handed: every tenth line is a handed main mark ("A10 L/R", remarks
//   "2L&3R") and every other line refers back to the part drawn on the line
//   before it (material "PL"), so that the assembly look-ahead and the search
//   for earlier marks would be quadratic if they scanned the table.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "job/ConversionJob.h"
#include "config/Configuration.h"

namespace {

const char* const kHeaders[] = {"MARK",   "QTY",     "DESCRIPTION",
                                "LENGTH", "REMARKS", "WEIGHT"};
const char* const kTypes[] = {"Piece Mark",      "Quantity", "Material",
                              "Length(Ft + In)", "Remarks",  "Weight"};
const char* const kMaterials[] = {
    "W12X26",      "PL1/2X6",    "L4X3X3/8",           "C10X15.3",
    "HSS4X4X1/4",  "PIPE 4 STD", "W/NUT 3/4 X 2 A325", "ROD %%C3/4",
    "MISC ANCHOR", "WT6X13",     "MM GRATING",         "TS4X4X1/4"};

enum Kind { kMixed = 0, kHanded = 1 };

// The cells of line `r`.
void LineCells(Kind kind, int r, std::string cells[6]) {
  cells[4].clear();
  cells[3] = std::to_string(1 + r % 30) + "'-" + std::to_string(r % 12);
  cells[5] = std::to_string(10 + r % 500);
  if (kind == kMixed) {
    cells[0] = "B" + std::to_string(r);
    cells[1] = std::to_string(1 + r % 9);
    cells[2] = kMaterials[r % 12];
    return;
  }
  cells[1] = std::to_string(2 + r % 8);
  if (r % 10 == 0) {
    cells[0] = "A" + std::to_string(r) + " L/R";
    cells[2] = "W12X26";
    cells[4] = "2L&3R";
  } else if (r % 2 == 0) {
    cells[0] = "p" + std::to_string(r);
    cells[2] = "PL3/8X6";
  } else {
    // The part of the line before; after a main mark, the last part before
    // it (line 1 has none and stays a plain item).
    const int earlier = (r - 1) % 10 == 0 ? r - 3 : r - 1;
    cells[0] = "p" + std::to_string(earlier < 0 ? r : earlier);
    cells[2] = "PL";
  }
}

// A generated drawing and its configuration in a temporary folder.
class Drawing {
 public:
  Drawing(Kind kind, int lines) {
    std::string dir =
        (std::filesystem::temp_directory_path() / "kelconv-bench-XXXXXX")
            .string();
    if (mkdtemp(dir.data()) == nullptr) std::abort();
    m_dir = dir;

    CConfiguration config;
    config.ResetToDefaults();
    config.m_searchFor = {"HSS"};
    config.m_replaceWith = {"TS"};
    for (int c = 0; c < 6; ++c) {
      CConfigColumnItem item;
      item.m_strHeader = kHeaders[c];
      item.m_strType = kTypes[c];
      config.m_columns.push_back(item);
    }
    if (StoreConfigurationFile(Config(), config) != 0) std::abort();

    // Lines 2 units apart, CR LF ends. Every text stands a little to the
    // right of its column's header but exactly on its line: at these sizes a
    // line is at most 0.01 % of the table's height, below the finest
    // tolerance the row clustering tries, so every height becomes a row of
    // its own, and texts off their line would no longer share a row.
    std::string bytes = "(40.0 " + std::to_string(2 * lines + 10) +
                        ".0 0.0),BILL OF MATERIAL\r\n";
    char text[160];
    for (int c = 0; c < 6; ++c) {
      std::snprintf(text, sizeof text, "(%d.0 %d.0 0.0),%s\r\n", 1 + 12 * c,
                    2 * lines + 4, kHeaders[c]);
      bytes += text;
    }
    std::string cells[6];
    for (int r = 0; r < lines; ++r) {
      LineCells(kind, r, cells);
      for (int c = 0; c < 6; ++c) {
        if (cells[c].empty()) continue;
        std::snprintf(text, sizeof text, "(%d.%02d %d.0 0.0),%s\r\n",
                      1 + 12 * c, (r + c) % 40, 2 * (lines - r),
                      cells[c].c_str());
        bytes += text;
      }
    }
    std::FILE* file = std::fopen(Input().c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  ~Drawing() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
  }
  std::string Input() const { return (m_dir / "large.orb").string(); }
  std::string Config() const { return (m_dir / "large.cfg").string(); }
  std::string Output() const { return (m_dir / "large.kel").string(); }

 private:
  std::filesystem::path m_dir;
};

// Lines of the KEL file last written for `drawing`.
double KelLines(const Drawing& drawing) {
  std::ifstream in(drawing.Output(), std::ios::binary);
  return static_cast<double>(std::count(std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>(),
                                        '\n'));
}

// One drawing per kind and size, made on first use and kept for the run.
const Drawing& DrawingFor(Kind kind, int lines) {
  static std::map<std::pair<int, int>, std::unique_ptr<Drawing>> drawings;
  auto& drawing = drawings[{kind, lines}];
  if (!drawing) drawing = std::make_unique<Drawing>(kind, lines);
  return *drawing;
}

void BM_ConvertFile(benchmark::State& state) {
  const Kind kind = static_cast<Kind>(state.range(0));
  const int lines = static_cast<int>(state.range(1));
  const Drawing& drawing = DrawingFor(kind, lines);
  CRecordingJobUi ui;
  for (auto _ : state) {
    CConversionJob job(ui, "");
    CConversionRequest request;
    request.input = drawing.Input();
    request.output = drawing.Output();
    request.config = drawing.Config();
    request.existing = ExistingOutput::kOverwrite;
    if (job.ConvertFile(request) != 0 ||
        !ui.m_messages.empty()) {
      state.SkipWithError("conversion failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["kel_lines"] = KelLines(drawing);
  state.SetLabel(kind == kMixed ? "mixed" : "handed");
}
BENCHMARK(BM_ConvertFile)
    ->ArgsProduct({{kMixed, kHanded}, {10000, 50000, 100000}})
    ->ArgNames({"handed", "lines"})
    ->Unit(benchmark::kMillisecond);

#ifdef KELCONV_EXE
// The program as a user runs it: start-up, conversion and exit.
void BM_ConvertExecutable(benchmark::State& state) {
  const Kind kind = static_cast<Kind>(state.range(0));
  const int lines = static_cast<int>(state.range(1));
  const Drawing& drawing = DrawingFor(kind, lines);
  const std::string command = std::string("'") + KELCONV_EXE + "' /O '" +
                              drawing.Input() + "' '" + drawing.Output() +
                              "' '" + drawing.Config() + "'";
  for (auto _ : state) {
    const int status = std::system(command.c_str());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("kelconv failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["kel_lines"] = KelLines(drawing);
  state.SetLabel(kind == kMixed ? "mixed" : "handed");
}
BENCHMARK(BM_ConvertExecutable)
    ->Args({kMixed, 100000})
    ->Args({kHanded, 100000})
    ->ArgNames({"handed", "lines"})
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace

BENCHMARK_MAIN();
