// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reading a DXF file's texts (input: the file's bytes).
// Checks the readings as FuzzDrawingReaders.h says.

#include <cstddef>
#include <cstdint>

#include "FuzzDrawingReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CInputFile input;
  input.SetBytes("fuzz.dxf", std::string(fuzz::AsText(data, size)));
  // Other kinds have targets of their own.
  if (input.Kind() == DrawingKind::kDxf) fuzz::CheckDrawings(input, 1);
  return 0;
}
