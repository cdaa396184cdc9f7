// SPDX-License-Identifier: GPL-3.0-or-later
// Times reading the same 100,000 texts (a table of 10 columns, 10,000 rows)
// as an .orb, as a DXF of TEXT entities and as a PDF of 100 pages of 1,000
// texts: from the bytes in memory to the texts of the document(s) in
// reading order. The goal is DXF and PDF at most three times the .orb.
// Then the large ones, once each with the process's peak memory: a DXF of
// a million texts and a PDF of 500 pages.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>
#include <vector>

#include "MinimalPdf.h"
#include "input/InputFile.h"
#include "input/Orb.h"

extern "C" int kelconv_pdf_read_v1(const char* data, size_t size,
                                   const KelconvPdfSink* sink);

namespace {

constexpr int kColumns = 10;
constexpr int kRows = 10000;

// The text of cell (row, column) and where it stands, in drawing units.
struct Cell {
  double x;
  double y;
  char text[24];
};

Cell CellAt(int row, int column) {
  Cell cell{column * 20.0 + 1.5, 100000.0 - row * 4.0, {}};
  std::snprintf(cell.text, sizeof cell.text, column == 1 ? "%d" : "W%dX%d",
                row % 97 + 1, column);
  return cell;
}

std::string Orb(int rows = kRows) {
  std::string bytes;
  char line[96];
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const Cell c = CellAt(row, column);
      const int n = std::snprintf(line, sizeof line, "(%.4f %.4f 0.0000),%s\r\n",
                                  c.x, c.y, c.text);
      bytes.append(line, static_cast<size_t>(n));
    }
  }
  return bytes;
}

// As a CAD program writes it: handle, owner, subclass markers and layer.
std::string Dxf(int rows = kRows) {
  std::string bytes = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  char entity[256];
  int handle = 0x100;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const Cell c = CellAt(row, column);
      const int n = std::snprintf(
          entity, sizeof entity,
          "  0\r\nTEXT\r\n  5\r\n%X\r\n330\r\n1F\r\n100\r\nAcDbEntity\r\n  8\r\n"
          "0\r\n100\r\nAcDbText\r\n 10\r\n%.4f\r\n 20\r\n%.4f\r\n 30\r\n0.0\r\n"
          " 40\r\n1.2\r\n  1\r\n%s\r\n100\r\nAcDbText\r\n",
          handle++, c.x, c.y, c.text);
      bytes.append(entity, static_cast<size_t>(n));
    }
  }
  return bytes + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

// 100 pages of 100 rows; 2.5 points to a drawing unit.
std::string Pdf(int rows = kRows) {
  std::vector<std::vector<PdfText>> pages(static_cast<size_t>(rows / 100));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const Cell c = CellAt(row, column);
      pages[static_cast<size_t>(row / 100)].push_back(
          {20 + c.x * 2.5, 760 - (row % 100) * 7.0, 6.0, c.text});
    }
  }
  return MinimalPdf(pages);
}

void Read(benchmark::State& state, const std::string& bytes, bool pdf,
          size_t expected) {
  size_t texts = 0;
  for (auto _ : state) {
    CInputFile input;
    input.SetBytes("bench", bytes);
    if (pdf) input.SetPdfReader(kelconv_pdf_read_v1);
    texts = 0;
    const size_t drawings = input.DrawingCount();
    for (size_t d = 0; d < drawings; ++d) {
      COrb orb;
      if (orb.ReadDrawing(input, d, false, false, nullptr) != 0) {
        state.SkipWithError("reading failed");
      }
      texts += orb.m_texts.size();
      benchmark::DoNotOptimize(orb.m_texts.data());
    }
  }
  if (texts != expected) state.SkipWithError("texts lost");
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(expected));
  state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_Orb(benchmark::State& state) { Read(state, Orb(), false, 100000); }
void BM_Dxf(benchmark::State& state) { Read(state, Dxf(), false, 100000); }
void BM_Pdf(benchmark::State& state) { Read(state, Pdf(), true, 100000); }
BENCHMARK(BM_Orb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dxf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf)->Unit(benchmark::kMillisecond);

void BM_DxfMillionTexts(benchmark::State& state) {
  Read(state, Dxf(100000), false, 1000000);
}
void BM_Pdf500Pages(benchmark::State& state) {
  std::vector<std::vector<PdfText>> pages(500);
  for (auto& page : pages) page = {{72, 700, 10, "MARK"}, {140, 700, 10, "QTY"}};
  Read(state, MinimalPdf(pages), true, 1000);
}
BENCHMARK(BM_DxfMillionTexts)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf500Pages)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
