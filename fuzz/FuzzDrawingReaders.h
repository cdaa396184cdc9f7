// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the DXF and PDF fuzz targets check of every drawing of an input: it
// reads top to bottom and bottom to top into the same texts at mirrored
// positions, in strict reading order, or fails alike both ways.

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "input/InputFile.h"
#include "input/Orb.h"

namespace fuzz {

inline void CheckDrawings(CInputFile& input, size_t maxDrawings) {
  const size_t drawings = input.DrawingCount();
  FUZZ_CHECK(drawings == 0 || input.Message().empty());
  for (size_t page = 0; page < std::min(drawings, maxDrawings); ++page) {
    COrb plain;
    COrb inverted;
    const int read = plain.ReadDrawing(input, page, false, false, nullptr);
    FUZZ_CHECK(inverted.ReadDrawing(input, page, false, true, nullptr) == read);
    if (read != 0) continue;
    FUZZ_CHECK(plain.m_texts.size() == inverted.m_texts.size());
    std::vector<std::tuple<int32_t, int32_t, std::string>> a, b;
    for (size_t i = 0; i < plain.m_texts.size(); ++i) {
      const COrbText& t = plain.m_texts[i];
      if (i > 0) {
        const COrbText& before = plain.m_texts[i - 1];
        FUZZ_CHECK(before.m_y > t.m_y || (before.m_y == t.m_y && before.m_x < t.m_x));
      }
      a.emplace_back(t.m_x, t.m_y, t.m_text);
      const COrbText& u = inverted.m_texts[i];
      b.emplace_back(u.m_x, -u.m_y, u.m_text);
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);
  }
}

}  // namespace fuzz
