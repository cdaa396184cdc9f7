// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DrawingKind.h"

#include <cstddef>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The next line of `bytes` from `at`, without blanks around it; moves `at`
// past its line end.
std::string_view NextLine(std::string_view bytes, size_t& at) {
  size_t end = bytes.find('\n', at);
  if (end == std::string_view::npos) end = bytes.size();
  std::string_view line = bytes.substr(at, end - at);
  at = end < bytes.size() ? end + 1 : end;
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
  return line;
}

bool LooksLikeDxf(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  size_t at = 0;
  // Comments (group 999) may stand before the first section.
  for (int group = 0; group < 64 && at < bytes.size(); ++group) {
    const std::string_view code = NextLine(bytes, at);
    const std::string_view value = NextLine(bytes, at);
    if (code == "999") continue;
    return code == "0" && value == "SECTION";
  }
  return false;
}

}  // namespace

DrawingKind DetectDrawingKind(std::string_view bytes) {
  if (bytes.substr(0, 5) == "%PDF-") return DrawingKind::kPdf;
  if (bytes.substr(0, 18) == "AutoCAD Binary DXF") {
    return DrawingKind::kBinaryDxf;
  }
  if (bytes.substr(0, 4) == "AC10") return DrawingKind::kDwg;
  if (LooksLikeDxf(bytes)) return DrawingKind::kDxf;
  return DrawingKind::kOrb;
}

const char* DrawingKindName(DrawingKind kind) {
  switch (kind) {
    case DrawingKind::kDxf:
      return "DXF";
    case DrawingKind::kPdf:
      return "PDF";
    case DrawingKind::kBinaryDxf:
      return "binary DXF";
    case DrawingKind::kDwg:
      return "DWG";
    case DrawingKind::kOrb:
      break;
  }
  return "ORB";
}
