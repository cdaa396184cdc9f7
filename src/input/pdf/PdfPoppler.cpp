// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF module: the words of every page of a PDF, through poppler's C++
// interface. Built as kelconv-pdf.so and loaded only when a PDF is read.

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <climits>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "input/PdfModule.h"

namespace {

// poppler reports damaged objects on stderr unless told otherwise; the
// program reports what matters itself.
void Quiet(const std::string& /*message*/, void* /*closure*/) {}

}  // namespace

extern "C" __attribute__((visibility("default"))) int kelconv_pdf_read_v1(
    const char* data, size_t size, const KelconvPdfSink* sink) {
  try {
    poppler::set_debug_error_function(Quiet, nullptr);
    if (size > static_cast<size_t>(INT_MAX)) return kKelconvPdfDamaged;
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(data, static_cast<int>(size)));
    if (!document) return kKelconvPdfDamaged;
    if (document->is_locked()) return kKelconvPdfEncrypted;
    const int pages = document->pages();
    for (int index = 0; index < pages; ++index) {
      sink->page(sink->context);
      const std::unique_ptr<poppler::page> page(document->create_page(index));
      if (!page) continue;
      // Word boxes come with y growing downwards from the page's top.
      const double height = page->page_rect(poppler::media_box).height();
      for (const poppler::text_box& box :
           page->text_list(poppler::page::text_list_include_font)) {
        const poppler::byte_array utf8 = box.text().to_utf8();
        const poppler::rectf rect = box.bbox();
        KelconvPdfWord word{};
        word.left = rect.left();
        word.right = rect.right();
        word.bottom = height - rect.bottom();
        word.fontSize = box.has_font_info() ? box.get_font_size() : rect.height();
        word.spaceAfter = box.has_space_after() ? 1 : 0;
        word.utf8 = utf8.data();
        word.length = utf8.size();
        sink->word(sink->context, &word);
      }
    }
    return kKelconvPdfRead;
  } catch (const std::exception&) {
    return kKelconvPdfDamaged;
  }
}
