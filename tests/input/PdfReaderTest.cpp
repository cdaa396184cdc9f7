// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "MinimalPdf.h"
#include "TempDir.h"
#include "input/InputFile.h"
#include "input/PdfReader.h"

extern "C" int kelconv_pdf_read_v1(const char* data, size_t size,
                                   const KelconvPdfSink* sink);

namespace {

std::string Texts(const std::vector<CPlacedText>& texts) {
  std::string out;
  for (const CPlacedText& t : texts) {
    char at[64];
    std::snprintf(at, sizeof at, "(%.1f %.1f)", t.m_x, t.m_y);
    out += at + t.m_text + " ";
  }
  return out;
}

}  // namespace

// Helvetica's boxes reach 0.207 of the font size below the baseline, so a
// text at baseline y stands at y - 2.07 in 10-point type.
TEST(PdfReader, JoinsTheWordsOfOneCell) {
  struct Case { std::string name; std::vector<PdfText> page; std::string expected; } const cases[] = {
      {"one cell of several words",
       {{100, 700, 10, "W/NUT 3/4 X 2 A325"}}, "(100.0 697.9)W/NUT 3/4 X 2 A325 "},
      {"cells apart by more than two characters stay apart",
       {{100, 700, 10, "QTY"}, {140, 700, 10, "W12X26"}}, "(100.0 697.9)QTY (140.0 697.9)W12X26 "},
      {"a word close behind another on its line joins it",
       {{100, 700, 10, "PL1/2"}, {131, 700, 10, "X6"}}, "(100.0 697.9)PL1/2 X6 "},
      {"lines apart stay apart",
       {{100, 700, 10, "B1"}, {100, 690, 10, "B2"}}, "(100.0 697.9)B1 (100.0 687.9)B2 "},
  };
  for (const Case& c : cases) {
    std::vector<std::vector<CPlacedText>> pages;
    EXPECT_EQ(ReadPdfPages(MinimalPdf({c.page}), kelconv_pdf_read_v1, pages), kKelconvPdfRead);
    ASSERT_EQ(pages.size(), 1u) << c.name;
    EXPECT_EQ(Texts(pages[0]), c.expected) << c.name;
  }
}

TEST(PdfReader, PagesAndFailuresOfAFile) {
  // Page 3 goes on where page 1's line ends: a new page starts new texts.
  const std::string pdf = MinimalPdf({{{72, 72, 10, "PAGE 1"}}, {}, {{110, 72, 10, "PAGE 3"}}});
  const std::string sample = TempDir::Read(KELCONV_EXAMPLES "/sample.pdf");
  struct Case { std::string bytes; size_t drawings; std::string message; } const cases[] = {
      {pdf, 3, ""},
      {"%PDF-1.4\n%%EOF\n", 0, "Unable to read the PDF file \"in.pdf\""},
      {MinimalPdf({}), 0, "Unable to read the PDF file \"in.pdf\""},  // no page
      {sample.substr(0, sample.size() / 3), 0, "Unable to read the PDF file \"in.pdf\""},
      // Made by qpdf from sample-qt.pdf with a user password.
      {TempDir::Read(KELCONV_TEST_DATA "/hostile/encrypted.pdf"), 0,
       "\"in.pdf\" is encrypted; save it without a password"},
  };
  for (const Case& c : cases) {
    CInputFile input;
    input.SetBytes("in.pdf", c.bytes);
    input.SetPdfReader(kelconv_pdf_read_v1);
    EXPECT_EQ(input.DrawingCount(), c.drawings);
    EXPECT_EQ(input.Message(), c.message);
  }
  CInputFile input;
  input.SetBytes("in.pdf", pdf);
  input.SetPdfReader(kelconv_pdf_read_v1);
  ASSERT_NE(input.Texts(2), nullptr);
  EXPECT_EQ(Texts(*input.Texts(2)), "(110.0 69.9)PAGE 3 ");
  EXPECT_EQ(input.Texts(1), nullptr);
  EXPECT_EQ(input.Message(),
            "\"in.pdf\" page 2: no text found: its letters may be drawn as lines");
}
