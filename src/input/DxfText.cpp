// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/DxfText.h"

#include <cstdint>

#include "text/TextEncoding.h"

namespace {

std::string Decode(std::string_view raw, DxfEncoding encoding) {
  switch (encoding) {
    case DxfEncoding::kUtf8:
      return Utf8ToLatin1(raw);
    case DxfEncoding::kCp1252:
      return Cp1252ToLatin1(raw);
    case DxfEncoding::kOther: {
      std::string out(raw);
      for (char& c : out) {
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
      }
      return out;
    }
    case DxfEncoding::kLatin1:
      break;
  }
  return std::string(raw);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads `digits` hex digits of `text` at `at`; -1 when they are not there.
int64_t ReadHex(std::string_view text, size_t at, size_t digits) {
  if (at + digits > text.size()) return -1;
  int64_t value = 0;
  for (size_t i = 0; i < digits; ++i) {
    const int digit = HexValue(text[at + i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// At `text[at]` == '\\': when a \U+XXXX or \M+NXXXX escape starts there,
// appends its character ("?" for the multi-byte form) and returns its
// length; else returns 0.
size_t UnicodeEscape(std::string_view text, size_t at, std::string& out) {
  if (at + 2 >= text.size() || text[at + 2] != '+') return 0;
  if (text[at + 1] == 'U') {
    const int64_t codePoint = ReadHex(text, at + 3, 4);
    if (codePoint < 0) return 0;
    AppendLatin1(static_cast<uint32_t>(codePoint), out);
    return 7;
  }
  if (text[at + 1] == 'M' && ReadHex(text, at + 3, 5) >= 0) {
    out.push_back('?');
    return 8;
  }
  return 0;
}

// The position just after the ";" that ends a code's value at `from`, or
// the end of the text when no ";" follows.
size_t PastValue(std::string_view text, size_t from) {
  const size_t semicolon = text.find(';', from);
  return semicolon == std::string_view::npos ? text.size() : semicolon + 1;
}

}  // namespace

DxfEncoding DxfEncodingOf(std::string_view acadVersion,
                          std::string_view codePage) {
  // Releases are named AC1009 ... AC1032; AC1021 is release 2007.
  if (acadVersion.size() == 6 && acadVersion.substr(0, 2) == "AC" &&
      acadVersion >= "AC1021") {
    return DxfEncoding::kUtf8;
  }
  std::string page;
  for (char c : codePage) {
    page.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  if (page.empty() || page == "ISO8859-1" || page == "ISO_8859-1") {
    return DxfEncoding::kLatin1;
  }
  if (page == "ANSI_1252") return DxfEncoding::kCp1252;
  return DxfEncoding::kOther;
}

std::string DxfPlainText(std::string_view raw, DxfEncoding encoding) {
  const std::string text = Decode(raw, encoding);
  if (text.find('\\') == std::string::npos) return text;
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t escape = text[i] == '\\' ? UnicodeEscape(text, i, out) : 0;
    if (escape != 0) {
      i += escape;
    } else {
      out.push_back(text[i++]);
    }
  }
  return out;
}

std::string MTextPlainText(std::string_view raw, DxfEncoding encoding) {
  const std::string decoded = Decode(raw, encoding);
  const std::string_view text = decoded;
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 == text.size()) {
      out.push_back(c);
      ++i;
      continue;
    }
    if (const size_t escape = UnicodeEscape(text, i, out); escape != 0) {
      i += escape;
      continue;
    }
    const char code = text[i + 1];
    i += 2;
    switch (code) {
      case 'P': case 'X': case 'N': case '~':
        out.push_back(' ');
        break;
      case '\\': case '{': case '}':
        out.push_back(code);
        break;
      case 'S': {
        // A stacked fraction: numerator, "/", "^" or "#", denominator.
        const size_t end = PastValue(text, i);
        for (size_t j = i; j < end; ++j) {
          const char s = text[j];
          if (s == ';') break;
          out.push_back(s == '^' || s == '#' ? '/' : s);
        }
        i = end;
        break;
      }
      case 'f': case 'F': case 'H': case 'W': case 'Q': case 'T': case 'A':
      case 'C': case 'c': case 'p':
        i = PastValue(text, i);
        break;
      case 'L': case 'l': case 'O': case 'o': case 'K': case 'k':
        break;
      default:
        // Not a code: the backslash stands for itself.
        out.push_back('\\');
        out.push_back(code);
        break;
    }
  }
  return out;
}

size_t MTextLineCount(std::string_view raw) {
  size_t lines = 1;
  for (size_t i = 0; i + 1 < raw.size(); ++i) {
    if (raw[i] != '\\') continue;
    if (raw[i + 1] == 'P') ++lines;
    ++i;  // the escaped character is no new code
  }
  return lines;
}
