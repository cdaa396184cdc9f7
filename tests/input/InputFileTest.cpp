// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "TempDir.h"
#include "input/InputFile.h"

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

TEST(InputFile, BinaryDrawingsAndUnreadableFilesAreRefused) {
  for (const char* bytes : {"AutoCAD Binary DXF\r\n\x1a", "AC1027xxxx"}) {
    CInputFile input;
    input.SetBytes("dir/in.dwg", bytes);
    EXPECT_EQ(input.DrawingCount(), 0u);
    EXPECT_EQ(input.Message(),
              "\"dir/in.dwg\" is a binary DXF/DWG file; save it as ASCII DXF");
  }
  CInputFile input;
  input.SetBytes("in.dxf", "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n");
  EXPECT_EQ(input.DrawingCount(), 0u);
  EXPECT_EQ(input.Message(), "Unable to read the DXF file \"in.dxf\" (it ends before its EOF)");
  TempDir dir;
  EXPECT_FALSE(input.Load(dir.Path("missing.orb")));
  EXPECT_FALSE(input.Load(dir.Path("")));  // a directory
  ASSERT_TRUE(input.Load(dir.Write("in.orb", "(1 2 0),A\n")));
  EXPECT_EQ(input.DrawingCount(), 1u);
  EXPECT_EQ(input.Bytes(), "(1 2 0),A\n");
}
