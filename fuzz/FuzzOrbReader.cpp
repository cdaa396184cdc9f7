// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reading a bill-of-material file with a discard list.
//
// Input: the .orb file, then (after a separator line, see FuzzSupport.h) the
// discard list file, then a byte whose two low bits ask for inverted x / y.
// Checks that the texts come out in strict reading order without trailing
// white space, and that an inverted reading gives the same texts at the
// mirrored positions.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzSupport.h"
#include "input/DiscardList.h"
#include "input/DrawingKind.h"
#include "input/Orb.h"

namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

using Placed = std::tuple<int32_t, int32_t, std::string>;

std::vector<Placed> Mirrored(const COrb& orb, bool invertX, bool invertY) {
  std::vector<Placed> placed;
  for (const COrbText& text : orb.m_texts) {
    placed.emplace_back(invertX ? -text.m_x : text.m_x,
                        invertY ? -text.m_y : text.m_y, text.m_text);
  }
  std::sort(placed.begin(), placed.end());
  return placed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile orbFile("reader.orb");
  static fuzz::ScratchFile discardFile("DISCARD.TXT");
  const auto parts = fuzz::SplitInput(fuzz::AsText(data, size), 3);
  const unsigned flags =
      parts[2].empty() ? 0u : static_cast<unsigned char>(parts[2][0]);
  const bool invertX = (flags & 1u) != 0;
  const bool invertY = (flags & 2u) != 0;

  std::vector<std::string> discardList;
  LoadDiscardList(discardFile.Write(parts[1]), discardList);
  for (const std::string& phrase : discardList) {
    FUZZ_CHECK(!phrase.empty());
    FUZZ_CHECK(phrase.front() != ' ' && phrase.front() != '\t');
    FUZZ_CHECK(phrase.back() != ' ' && phrase.back() != '\t');
  }

  // Bytes that name another kind of drawing (DXF, PDF, DWG) go to their own
  // readers, which have their own targets.
  if (DetectDrawingKind(parts[0]) != DrawingKind::kOrb) return 0;
  orbFile.Write(parts[0]);
  COrb plain;
  FUZZ_CHECK(plain.ReadOrbFile(orbFile.Path(), false, false, &discardList) ==
             0);
  for (size_t i = 0; i < plain.m_texts.size(); ++i) {
    const COrbText& text = plain.m_texts[i];
    FUZZ_CHECK(text.m_text.empty() || !IsCSpace(text.m_text.back()));
    FUZZ_CHECK(text.m_x != INT32_MIN && text.m_y != INT32_MIN);
    if (i > 0) {
      const COrbText& before = plain.m_texts[i - 1];
      FUZZ_CHECK(before.m_y > text.m_y ||
                 (before.m_y == text.m_y && before.m_x < text.m_x));
    }
  }

  if (invertX || invertY) {
    COrb inverted;
    FUZZ_CHECK(inverted.ReadOrbFile(orbFile.Path(), invertX, invertY,
                                    &discardList) == 0);
    FUZZ_CHECK(Mirrored(inverted, invertX, invertY) ==
               Mirrored(plain, false, false));
  }
  return 0;
}
