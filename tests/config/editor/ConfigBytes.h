#pragma once

// Configuration files built byte by byte, independent of the program's own
// writer, for the editor's tests.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct SColumnRecord {
  std::string header;
  std::string type;
  uint32_t fractions = 0;
};

// Every field a configuration file can hold, in file order.
struct SConfigFields {
  std::vector<SColumnRecord> columns;
  int32_t reserved = 0;
  double reserved1 = 1.0;
  double reserved2 = 1.0;
  std::vector<std::string> codes;
  std::vector<std::string> fractions;
  std::string diameter;
  int32_t ignoreCase = 0;
  std::string leftRight;
  std::string schedule;
  int32_t discard = 0;               // versions 1 and up
  std::string left;                  // 2 and up
  std::vector<std::string> search;   // 2 and up
  std::vector<std::string> replace;  // 2 and up
  int32_t useHss = 0;                // 3 and up
  std::string right;                 // 4 and up
  std::vector<std::string> grades;   // 5 and up, written without a count
  std::string defaultGrade;          // 6
};

class CBytes {
 public:
  CBytes& U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      m_bytes += static_cast<char>((value >> shift) & 0xFF);
    }
    return *this;
  }
  CBytes& I32(int32_t value) { return U32(static_cast<uint32_t>(value)); }
  CBytes& F64(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    U32(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    return U32(static_cast<uint32_t>(bits >> 32));
  }
  // Lengths up to 65533: one byte below 255, else 0xFF and a u16.
  CBytes& Str(const std::string& text) {
    if (text.size() < 255) {
      m_bytes += static_cast<char>(text.size());
    } else {
      m_bytes += '\xFF';
      m_bytes += static_cast<char>(text.size() & 0xFF);
      m_bytes += static_cast<char>(text.size() >> 8);
    }
    m_bytes += text;
    return *this;
  }
  CBytes& List(const std::vector<std::string>& list) {
    U32(static_cast<uint32_t>(list.size()));
    for (const std::string& text : list) Str(text);
    return *this;
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

// The file of `fields` as the given version lays it out (version 0 without
// magic number and version).
inline std::string EncodeConfig(const SConfigFields& f, int version) {
  CBytes out;
  if (version > 0) out.U32(99999).U32(static_cast<uint32_t>(version));
  out.U32(static_cast<uint32_t>(f.columns.size()));
  for (const SColumnRecord& column : f.columns) {
    out.Str(column.header).Str(column.type).U32(column.fractions);
  }
  out.I32(f.reserved).F64(f.reserved1).F64(f.reserved2);
  out.List(f.codes).List(f.fractions).Str(f.diameter).I32(f.ignoreCase);
  out.Str(f.leftRight).Str(f.schedule);
  if (version >= 1) out.I32(f.discard);
  if (version >= 2) out.Str(f.left).List(f.search).List(f.replace);
  if (version >= 3) out.I32(f.useHss);
  if (version >= 4) out.Str(f.right);
  if (version >= 5) {
    for (const std::string& grade : f.grades) out.Str(grade);
  }
  if (version >= 6) out.Str(f.defaultGrade);
  return out.Bytes();
}

// A new configuration as the editor stores it: no columns, the default
// settings, six empty search/replace pairs and twenty empty default grades.
inline SConfigFields NewConfigFields() {
  SConfigFields f;
  f.codes = {"W",    "S",     "M",  "HP", "WT",  "ST",   "MT",       "C",
             "MC",   "PL",    "CP", "B",  "L",   "TS",   "ROD",      "RB",
             "PIPE", "W/NUT", "MI", "MM", "STD", "XSTR", "DBL.XSTR", "GA"};
  f.fractions = {"a", "d", "f", "g", "h", "j", "k", "l",
                 "z", "x", "c", "v", "b", "n", "m"};
  f.diameter = "%%C";
  f.leftRight = "L/R";
  f.schedule = "SCH";
  f.search.assign(6, "");
  f.replace.assign(6, "");
  f.grades.assign(20, "");
  return f;
}
