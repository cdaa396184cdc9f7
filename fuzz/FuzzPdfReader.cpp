// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reading the texts of a PDF's pages through poppler (input:
// the file's bytes; the first 20 pages are read). Checks the readings as
// FuzzDrawingReaders.h says.

#include <cstddef>
#include <cstdint>

#include "FuzzDrawingReaders.h"

extern "C" int kelconv_pdf_read_v1(const char* data, size_t size,
                                   const KelconvPdfSink* sink);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CInputFile input;
  input.SetBytes("fuzz.pdf", std::string(fuzz::AsText(data, size)));
  input.SetPdfReader(kelconv_pdf_read_v1);
  fuzz::CheckDrawings(input, 20);
  return 0;
}
