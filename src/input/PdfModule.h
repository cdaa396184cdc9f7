// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface of the PDF module (kelconv-pdf.so), which the program loads
// only when it reads a PDF, so that the PDF library and its own libraries
// cost nothing to a run that reads none. Plain C, so that the module and the
// program need not agree on anything but this header.

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// One word of a page as the PDF library found it, in points from the page's
// lower left corner (y up).
struct KelconvPdfWord {
  double left;      // left end of the word's box
  double right;     // right end of the word's box
  double bottom;    // bottom of the word's box
  double fontSize;  // size of its font
  int spaceAfter;   // nonzero when a blank follows it in the text flow
  const char* utf8; // the word, UTF-8, not terminated
  size_t length;    // bytes at utf8
};

// What the module calls back while it reads: `page` once at the start of
// every page, in page order, then `word` for every word of that page.
struct KelconvPdfSink {
  void* context;
  void (*page)(void* context);
  void (*word)(void* context, const struct KelconvPdfWord* word);
};

enum {
  kKelconvPdfRead = 0,       // every page was read
  kKelconvPdfDamaged = 1,    // not a PDF the library can open
  kKelconvPdfEncrypted = 2,  // needs a password
};

// Reads the PDF of `size` bytes at `data`. Returns one of the values above;
// pages reported before a failure stay valid.
typedef int (*KelconvPdfReadFn)(const char* data, size_t size,
                                const struct KelconvPdfSink* sink);

// The name under which the module exports its KelconvPdfReadFn.
#define KELCONV_PDF_READ_SYMBOL "kelconv_pdf_read_v1"

#ifdef __cplusplus
}
#endif
