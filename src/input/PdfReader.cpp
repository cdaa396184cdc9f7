// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/PdfReader.h"

#include <cmath>
#include <memory>
#include <string>

#include "text/TextEncoding.h"

namespace {

// Collects the words of the pages into texts.
struct Collector {
  explicit Collector(std::vector<std::vector<CPlacedText>>& out) : pages(out) {}

  std::vector<std::vector<CPlacedText>>& pages;
  std::string utf8;  // the text being built, before it turns Latin-1
  CPlacedText* open = nullptr;
  double right = 0.0;   // of the last word of the open text
  double bottom = 0.0;  // of the last word of the open text
  bool spaceAfter = false;

  void Close() {
    if (open != nullptr) open->m_text = Utf8ToLatin1(utf8);
    open = nullptr;
  }

  void Page() {
    Close();
    pages.emplace_back();
  }

  void Word(const KelconvPdfWord& word) {
    if (pages.empty()) pages.emplace_back();
    const double size = word.fontSize > 0.0 ? word.fontSize : 1.0;
    const double gap = word.left - right;
    // One line: the boxes' bottoms agree within a fifth of the font size.
    const bool joins = open != nullptr &&
                       std::fabs(word.bottom - bottom) <= 0.2 * size &&
                       gap > -0.5 * size && gap < size;
    if (joins) {
      if (spaceAfter) utf8.push_back(' ');
    } else {
      Close();
      open = &pages.back().emplace_back();
      open->m_x = word.left;
      open->m_y = word.bottom;
      utf8.clear();
    }
    utf8.append(word.utf8, word.length);
    right = word.right;
    bottom = word.bottom;
    spaceAfter = word.spaceAfter != 0;
  }
};

}  // namespace

int ReadPdfPages(std::string_view bytes, KelconvPdfReadFn reader,
                 std::vector<std::vector<CPlacedText>>& pages) {
  Collector collector(pages);
  KelconvPdfSink sink{};
  sink.context = &collector;
  sink.page = [](void* context) { static_cast<Collector*>(context)->Page(); };
  sink.word = [](void* context, const KelconvPdfWord* word) {
    static_cast<Collector*>(context)->Word(*word);
  };
  const int result = reader(bytes.data(), bytes.size(), &sink);
  collector.Close();
  return result;
}
