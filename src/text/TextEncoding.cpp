// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextEncoding.h"

#include <cstddef>

void AppendLatin1(uint32_t codePoint, std::string& out) {
  out.push_back(codePoint <= 0xFF ? static_cast<char>(codePoint) : '?');
}

std::string Utf8ToLatin1(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    // The length of the sequence and the smallest code point it may carry.
    size_t length = 0;
    uint32_t codePoint = 0;
    uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2, codePoint = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3, codePoint = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, codePoint = lead & 0x07u, smallest = 0x10000;
    }
    size_t got = 1;
    while (length != 0 && got < length && i + got < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + got]);
      if ((next & 0xC0) != 0x80) break;
      codePoint = (codePoint << 6) | (next & 0x3Fu);
      ++got;
    }
    if (length == 0 || got < length || codePoint < smallest ||
        codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      out.push_back('?');
      ++i;
      continue;
    }
    AppendLatin1(codePoint, out);
    i += length;
  }
  return out;
}

std::string Cp1252ToLatin1(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) c = '?';
  }
  return out;
}
