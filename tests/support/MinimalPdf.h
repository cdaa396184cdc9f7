// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// A PDF written by hand for tests and benchmarks: pages of texts in the
// standard Helvetica font (never embedded), each drawn with its baseline's
// left end at (x, y) points. A page without texts draws one line, so that
// it has content but no text.
struct PdfText {
  double x;
  double y;
  double size;
  std::string text;  // ASCII; "(", ")" and "\" are escaped here
};

inline std::string MinimalPdf(const std::vector<std::vector<PdfText>>& pages) {
  std::vector<std::string> objects;  // object i + 1
  std::string kids;
  const size_t pageCount = pages.size();
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("");  // the page tree, once the kids are known
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
  for (size_t p = 0; p < pageCount; ++p) {
    std::string content;
    char number[160];
    for (const PdfText& t : pages[p]) {
      std::string escaped;
      for (char c : t.text) {
        if (c == '(' || c == ')' || c == '\\') escaped += '\\';
        escaped += c;
      }
      std::snprintf(number, sizeof number, "BT /F1 %.2f Tf %.3f %.3f Td (", t.size, t.x, t.y);
      content += number + escaped + ") Tj ET\n";
    }
    if (pages[p].empty()) content = "10 10 m 200 200 l S\n";
    const size_t page = objects.size() + 1;
    kids += std::to_string(page) + " 0 R ";
    objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                      "/Resources << /Font << /F1 3 0 R >> >> /Contents " +
                      std::to_string(page + 1) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                      content + "endstream");
  }
  objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) + " >>";
  std::string pdf = "%PDF-1.4\n";
  std::vector<size_t> offsets;
  for (size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (size_t offset : offsets) {
    char entry[24];
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    pdf += entry;
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}
