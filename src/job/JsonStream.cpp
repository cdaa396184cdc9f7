// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/JsonStream.h"

#include <cerrno>
#include <nlohmann/json.hpp>

namespace {

constexpr size_t kBlockSize = 65536;

}  // namespace

void CTextStream::Put(std::string_view text) {
  m_text.append(text);
  if (m_pFile != nullptr && m_text.size() >= kBlockSize) Flush();
}

void CTextStream::Flush() {
  if (m_nError == 0 && !m_text.empty()) {
    errno = 0;
    if (std::fwrite(m_text.data(), 1, m_text.size(), m_pFile) !=
        m_text.size()) {
      m_nError = errno != 0 ? errno : EIO;
    }
  }
  m_text.clear();
}

int CTextStream::Finish() {
  if (m_pFile == nullptr) return 0;
  Flush();
  if (m_nError == 0 && std::fflush(m_pFile) != 0) {
    m_nError = errno != 0 ? errno : EIO;
  }
  return m_nError;
}

void CJsonWriter::Begin(bool object) {
  Separate();
  m_out.Put(object ? "{" : "[");
  m_levels.push_back({object, 0});
}

void CJsonWriter::End() {
  const Level level = m_levels.back();
  m_levels.pop_back();
  if (level.m_nCount > 0) {
    m_out.Put("\n");
    m_out.Put(std::string(2 * m_levels.size(), ' '));
  }
  m_out.Put(level.m_bObject ? "}" : "]");
}

CJsonWriter& CJsonWriter::Key(std::string_view key) {
  Separate();
  Quote(key);
  m_out.Put(": ");
  m_bAfterKey = true;
  return *this;
}

// Before a value: nothing after a key, else the comma, line break and
// indent of a container's entry.
void CJsonWriter::Separate() {
  if (m_bAfterKey) {
    m_bAfterKey = false;
    return;
  }
  if (m_levels.empty()) return;
  m_out.Put(m_levels.back().m_nCount++ > 0 ? ",\n" : "\n");
  m_out.Put(std::string(2 * m_levels.size(), ' '));
}

void CJsonWriter::Raw(std::string_view value) {
  Separate();
  m_out.Put(value);
}

void CJsonWriter::String(std::string_view utf8) {
  Separate();
  Quote(utf8);
}

void CJsonWriter::Latin1(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8.push_back(c);
    } else {
      utf8.push_back(static_cast<char>(0xc0 | byte >> 6));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3f)));
    }
  }
  String(utf8);
}

void CJsonWriter::Double(double value) {
  Raw(nlohmann::json(value).dump());
}

void CJsonWriter::Quote(std::string_view utf8) {
  std::string quoted = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\b':
        quoted += "\\b";
        break;
      case '\f':
        quoted += "\\f";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x",
                        static_cast<unsigned>(c));
          quoted += escape;
        } else {
          quoted += c;
        }
    }
  }
  quoted += '"';
  m_out.Put(quoted);
}
