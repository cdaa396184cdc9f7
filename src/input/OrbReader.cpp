// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a bill-of-material file into positioned texts in reading order.

#include <locale.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "input/Orb.h"
#include "input/OrbRecord.h"
#include "text/TextUtils.h"

namespace {

// One entity as read, before sorting: its place in reading order and where
// its text stands in the texts read (see AppendText).
struct Entity {
  uint64_t order;  // see OrderKey
  size_t text;
};

// The texts of all entities are kept one after the other in one string, each
// as its length (7 bits a byte, low bits first, high bit set on all but the
// last byte) followed by its bytes. Returns where `text` was put.
size_t AppendText(std::string& texts, std::string_view text) {
  const size_t at = texts.size();
  size_t length = text.size();
  do {
    const unsigned bits = static_cast<unsigned>(length & 0x7f);
    length >>= 7;
    texts.push_back(static_cast<char>(length != 0 ? bits | 0x80 : bits));
  } while (length != 0);
  texts.append(text);
  return at;
}

std::string_view TextAt(const std::string& texts, size_t at) {
  size_t length = 0;
  unsigned shift = 0;
  unsigned char byte = 0;
  do {
    byte = static_cast<unsigned char>(texts[at++]);
    length |= static_cast<size_t>(byte & 0x7f) << shift;
    shift += 7;
  } while ((byte & 0x80) != 0);
  return std::string_view(texts.data() + at, length);
}

// A key that sorts positions top to bottom (larger y first), then left to
// right: the inverted, offset y above the offset x.
uint64_t OrderKey(int32_t x, int32_t y) {
  const uint32_t high = ~(static_cast<uint32_t>(y) ^ 0x80000000u);
  const uint32_t low = static_cast<uint32_t>(x) ^ 0x80000000u;
  return (uint64_t{high} << 32) | low;
}

int32_t KeyX(uint64_t key) {
  return static_cast<int32_t>(static_cast<uint32_t>(key) ^ 0x80000000u);
}

int32_t KeyY(uint64_t key) {
  return static_cast<int32_t>(~static_cast<uint32_t>(key >> 32) ^ 0x80000000u);
}

// White space as the C locale's isspace sees it, whatever the process locale.
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct LocaleFreer {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using CLocale = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFreer>;

// Reads a file line by line through one reusable buffer, so that even a
// large file costs little memory. Lines end at LF; a CR before the LF is
// part of the line end. Any other byte, NUL included, is part of the line.
class LineReader {
 public:
  // A small regular file gets a buffer of its own size (and a byte to see
  // its end) rather than a whole chunk.
  explicit LineReader(std::FILE* file) : m_file(file) {
    const size_t size = SizeHint();
    m_buffer.assign(size == 0 ? kChunk : std::min(kChunk, size + 1), '\0');
  }

  // Sets `line` to the next line (valid until the next call) and returns
  // true; returns false at the end of the file or on a read error (see
  // Failed).
  bool Next(std::string_view& line) {
    for (;;) {
      const char* const begin = m_buffer.data() + m_begin;
      const char* const lineEnd = static_cast<const char*>(
          std::memchr(begin, '\n', m_filled - m_begin));
      if (lineEnd != nullptr) {
        line = Line(begin, lineEnd);
        m_begin = static_cast<size_t>(lineEnd - m_buffer.data()) + 1;
        return true;
      }
      if (m_eof) {
        if (m_begin == m_filled) return false;
        line = Line(begin, m_buffer.data() + m_filled);
        m_begin = m_filled;
        return true;
      }
      Refill();
    }
  }

  bool Failed() const { return m_failed; }

  // The size of the file when it is a regular file, else 0.
  size_t SizeHint() const {
    struct stat info {};
    if (fstat(fileno(m_file), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    return info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  }

 private:
  static constexpr size_t kChunk = size_t{1} << 20;

  static std::string_view Line(const char* begin, const char* end) {
    if (end != begin && end[-1] == '\r') --end;
    return std::string_view(begin, static_cast<size_t>(end - begin));
  }

  // Keeps the unfinished line, makes room (a line longer than the buffer
  // doubles it) and reads the next chunk.
  void Refill() {
    const size_t kept = m_filled - m_begin;
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, kept);
    m_begin = 0;
    m_filled = kept;
    if (m_buffer.size() - m_filled < kChunk / 2) {
      m_buffer.resize(m_buffer.size() * 2);
    }
    const size_t got = std::fread(m_buffer.data() + m_filled, 1,
                                  m_buffer.size() - m_filled, m_file);
    m_filled += got;
    if (got == 0) {
      m_eof = true;
      m_failed = std::ferror(m_file) != 0;
    }
  }

  std::FILE* m_file;
  std::string m_buffer;
  size_t m_begin = 0;   // start of the unread part
  size_t m_filled = 0;  // end of the bytes read
  bool m_eof = false;
  bool m_failed = false;
};

// A coordinate in drawing units as thousandths: truncated toward zero,
// NaN as 0, and clamped to +-2147483647 so that negating it stays in range.
int32_t ToThousandths(double units) {
  const double product = units * 1000.0;
  if (std::isnan(product)) return 0;
  constexpr double kLimit = 2147483647.0;
  if (product >= kLimit) return 2147483647;
  if (product <= -kLimit) return -2147483647;
  return static_cast<int32_t>(product);
}

// Scans `line` the way sscanf(line, "(%lf %lf %lf)", ...) does, with the C
// locale's number syntax: a literal "(", then three numbers, each after any
// amount of white space and read as the longest prefix that strtod accepts.
// Scanning stops at the first failure; numbers not scanned keep their value.
// An embedded NUL ends the scan as it would end a C string.
void ScanCoordinates(std::string_view line, locale_t cLocale,
                     double (&values)[3]) {
  const char* p = line.data();
  const char* const end = p + line.size();
  if (p == end || *p != '(') return;
  ++p;
  for (double& value : values) {
    while (p != end && IsCSpace(*p)) ++p;
    if (p == end) return;
    // Plain decimal numbers take the fast path; from_chars reads them as
    // strtod does. Everything else (a "+" sign, hexadecimal, a value out of
    // range) goes to strtod with the C locale.
    double read = 0.0;
    const auto [stop, error] = std::from_chars(p, end, read);
    if (error == std::errc() &&
        (stop == end || (*stop != 'x' && *stop != 'X'))) {
      value = read;
      p = stop;
      continue;
    }
    // strtod needs a terminated string: give it the rest of the line.
    const std::string rest(p, end);
    char* slowStop = nullptr;
    read = strtod_l(rest.c_str(), &slowStop, cLocale);
    if (slowStop == rest.c_str()) return;
    value = read;
    p += slowStop - rest.c_str();
  }
}

// Reserves room for `count` entities; only a hint, so the vector grows as
// needed when the room cannot be had.
void ReserveHint(std::vector<Entity>& entities, size_t count) {
  try {
    entities.reserve(std::min(count, entities.max_size()));
  } catch (const std::exception&) {
  }
}

struct EntityLine {
  int32_t x;
  int32_t y;
  std::string_view text;  // part of the line
};

// Parses one entity line: the position from the numbers in parentheses, the
// text from after the first comma, trailing white space removed.
EntityLine ParseEntityLine(std::string_view line, locale_t cLocale) {
  double values[3] = {0.0, 0.0, 0.0};
  ScanCoordinates(line, cLocale, values);
  const int32_t a = ToThousandths(values[0]);
  const int32_t b = ToThousandths(values[1]);
  const int32_t c = ToThousandths(values[2]);

  // A text drawn in another plane than X-Y, with one of its first two
  // coordinates exactly 0, is placed by the other two.
  EntityLine parsed{};
  if (a == 0) {
    parsed.x = b;
    parsed.y = c;
  } else if (b == 0) {
    parsed.x = a;
    parsed.y = c;
  } else {
    parsed.x = a;
    parsed.y = b;
  }

  const size_t comma = line.find(',');
  if (comma != std::string_view::npos) {
    parsed.text = line.substr(comma + 1);
    while (!parsed.text.empty() && IsCSpace(parsed.text.back())) {
      parsed.text.remove_suffix(1);
    }
  }
  return parsed;
}

// Sorts the entities into reading order, keeping file order among equal
// positions, and appends one text for every run at one position, carrying
// the first non-empty text of the run.
void SortAndMerge(std::vector<Entity>& entities, const std::string& textsRead,
                  std::vector<COrbText>& texts) {
  std::stable_sort(
      entities.begin(), entities.end(),
      [](const Entity& a, const Entity& b) { return a.order < b.order; });
  size_t runs = 0;
  for (size_t i = 0; i < entities.size(); ++i) {
    if (i == 0 || entities[i].order != entities[i - 1].order) ++runs;
  }
  texts.reserve(texts.size() + runs);
  for (size_t i = 0; i < entities.size();) {
    std::string_view chosen = TextAt(textsRead, entities[i].text);
    size_t j = i + 1;
    for (; j < entities.size() && entities[j].order == entities[i].order; ++j) {
      if (chosen.empty()) chosen = TextAt(textsRead, entities[j].text);
    }
    // The texts are read in sorted order, that is all over the file: ask
    // for one a little ahead so that the cache misses overlap.
    if (j + 16 < entities.size()) {
      __builtin_prefetch(textsRead.data() + entities[j + 16].text);
    }
    COrbText& text = texts.emplace_back();
    text.m_x = KeyX(entities[i].order);
    text.m_y = KeyY(entities[i].order);
    text.m_text.assign(chosen);
    i = j;
  }
}

}  // namespace

int COrb::ReadOrbFile(const std::string& path, bool invertX, bool invertY,
                      const std::vector<std::string>* discardList) {
  try {
    const size_t slash = path.rfind('/');
    m_strFileName = slash == std::string::npos ? path : path.substr(slash + 1);

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return -1;
    const CLocale cLocale(newlocale(LC_ALL_MASK, "C", locale_t{}));
    if (!cLocale) return -1;

    LineReader reader(file.get());
    std::vector<Entity> entities;
    ReserveHint(entities, reader.SizeHint() / 16);
    std::string texts;   // the texts of all entities, see AppendText
    std::string edited;  // the line after the discard phrases were cut out
    const bool discarding = discardList != nullptr && !discardList->empty();
    std::string_view line;
    size_t lines = 0;
    size_t blank = 0;
    while (reader.Next(line)) {
      ++lines;
      while (!line.empty() && IsCSpace(line.front())) line.remove_prefix(1);
      if (line.empty() || line.front() != '(') {
        if (line.empty()) ++blank;
        continue;
      }
      if (discarding) {
        edited.assign(line);
        for (const std::string& phrase : *discardList) {
          ReplaceText(phrase, std::string(), edited, 30, true);
        }
        line = edited;
      }
      EntityLine parsed = ParseEntityLine(line, cLocale.get());
      // Clamped coordinates are never INT32_MIN, so negation is safe.
      if (invertX) parsed.x = -parsed.x;
      if (invertY) parsed.y = -parsed.y;
      entities.push_back(
          {OrderKey(parsed.x, parsed.y), AppendText(texts, parsed.text)});
    }
    if (reader.Failed()) return -1;
    file.reset();

    SortAndMerge(entities, texts, m_texts);
    if (m_pRecord != nullptr) {
      CReadRecord& record = m_pRecord->m_read;
      record.m_bRead = true;
      record.m_nLines = lines;
      record.m_nEntities = entities.size();
      record.m_nSkipped = lines - entities.size();
      record.m_nBlank = blank;
      record.m_nTexts = m_texts.size();
    }
    return 0;
  } catch (const std::exception&) {  // an exhausted resource
    return -1;
  }
}
