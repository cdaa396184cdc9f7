// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "input/InputFile.h"

// What a kind refuses, and why, is the run folder unreadable-drawings.
TEST(InputFile, TheKindComesFromTheBytes) {
  struct Case { std::string bytes; DrawingKind kind; } const cases[] = {
      {"%PDF-1.7\n", DrawingKind::kPdf},
      {"  0\r\nSECTION\r\n  2\r\nHEADER\r\n", DrawingKind::kDxf},
      {"\xEF\xBB\xBF" "999\ncomment\n0\nSECTION\n", DrawingKind::kDxf},
      {"AutoCAD Binary DXF\r\n\x1a", DrawingKind::kBinaryDxf},
      {"AC1032\0\0", DrawingKind::kDwg},
      {"(1 2 0),A\n", DrawingKind::kOrb}, {"", DrawingKind::kOrb},
      {"0\nSECTIONS\n", DrawingKind::kOrb}, {"0\n", DrawingKind::kOrb},
      {" %PDF-1.7\n", DrawingKind::kOrb},
  };
  for (const Case& c : cases) {
    CInputFile input;
    input.SetBytes("in", c.bytes);
    EXPECT_EQ(input.Kind(), c.kind) << c.bytes;
  }
}
