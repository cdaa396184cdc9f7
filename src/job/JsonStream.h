// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Text that goes to a stream a block at a time while it is made, so that a
// large document is never held whole; or, without a stream, is kept whole
// for Take().
class CTextStream {
 public:
  explicit CTextStream(std::FILE* file = nullptr) : m_pFile(file) {}

  void Put(std::string_view text);

  // Sends what is left to the stream and flushes it. Returns 0, or the
  // errno of the first write that failed (later text is then dropped).
  int Finish();

  // The whole text, when there is no stream.
  std::string Take() { return std::move(m_text); }

 private:
  void Flush();

  std::FILE* m_pFile;
  std::string m_text;
  int m_nError = 0;
};

// JSON written to a CTextStream as it is made, laid out as nlohmann::json's
// dump(2) lays it out: an entry a line, two blanks of indent a level,
// "key": value, empty containers as {} and []. The caller writes a
// well-formed document: a value after each Key, an End for each Begin.
class CJsonWriter {
 public:
  explicit CJsonWriter(CTextStream& out) : m_out(out) {}

  void BeginObject() { Begin(true); }
  void BeginArray() { Begin(false); }
  void End();
  // The key of the next value of an object.
  CJsonWriter& Key(std::string_view key);

  void String(std::string_view utf8);
  // A text of single bytes, each the Latin-1 character of its value.
  void Latin1(std::string_view bytes);
  void Int(int64_t value) { Raw(std::to_string(value)); }
  void Size(size_t value) { Raw(std::to_string(value)); }
  void Bool(bool value) { Raw(value ? "true" : "false"); }
  void Null() { Raw("null"); }
  // As nlohmann::json prints it (shortest round trip; null when not
  // finite).
  void Double(double value);

 private:
  struct Level {
    bool m_bObject;
    size_t m_nCount;
  };
  void Begin(bool object);
  void Separate();
  void Raw(std::string_view value);
  void Quote(std::string_view utf8);

  CTextStream& m_out;
  std::vector<Level> m_levels;
  bool m_bAfterKey = false;
};
