// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "input/InputFile.h"
#include "input/PdfModule.h"

// Reads the texts of every page of a PDF with `reader` (the PDF module's
// function). Consecutive words on one line whose gap is less than about two
// characters of their font size (one font size) make one text, joined by a
// blank where the PDF has one between them; so a cell "W/NUT 3/4 X 2 A325"
// stays one text while its neighbours stay apart. A text stands at the left
// end of its first word's box bottom, in points, y up. Texts are turned
// into Latin-1. Returns the module's result (kKelconvPdfRead on success);
// `pages` gets one entry per page read, also before a failure.
int ReadPdfPages(std::string_view bytes, KelconvPdfReadFn reader,
                 std::vector<std::vector<CPlacedText>>& pages);

