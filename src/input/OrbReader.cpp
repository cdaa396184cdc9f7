// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a bill-of-material file into positioned texts in reading order.

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "input/InputFile.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"
#include "text/ExactDecimal.h"
#include "text/LargePages.h"
#include "text/SideTask.h"
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

struct LocaleFreer {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using CLocale = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFreer>;

// The lines of bytes in memory. Lines end at LF; a CR before the LF is part
// of the line end. Any other byte, NUL included, is part of the line.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

  // Sets `line` to the next line and returns true; false at the end.
  bool Next(std::string_view& line) {
    if (m_at >= m_bytes.size()) return false;
    const char* const begin = m_bytes.data() + m_at;
    const size_t rest = m_bytes.size() - m_at;
    const char* end = static_cast<const char*>(std::memchr(begin, '\n', rest));
    m_at += end != nullptr ? static_cast<size_t>(end - begin) + 1 : rest;
    if (end == nullptr) end = begin + rest;
    if (end != begin && end[-1] == '\r') --end;
    line = std::string_view(begin, static_cast<size_t>(end - begin));
    return true;
  }

 private:
  std::string_view m_bytes;
  size_t m_at = 0;
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

// The last short decimal read at one place of the line: drawings repeat
// their positions (a row's height, a column's place across), and a value
// met again is taken as it was.
struct LastDecimal {
  uint64_t digits = 0;
  size_t decimals = 0;
  bool negative = false;
  double value = 0.0;
};

// Reads an optional "-", digits, and optionally "." and more digits from
// `p`, when their value is exact (ExactDecimal). Returns where the number
// ends, or null when the text is anything else (then nothing is read): no
// digit before or after the point, an exponent, a hexadecimal "x", or too
// many digits.
const char* ReadShortDecimal(const char* p, const char* end, double& value,
                             LastDecimal& last) {
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  uint64_t digits = 0;
  size_t count = 0;
  size_t decimals = 0;
  const char* const first = p;
  while (p != end && *p >= '0' && *p <= '9') {
    digits = digits * 10 + static_cast<unsigned>(*p - '0');
    ++count;
    ++p;
  }
  if (p == first) return nullptr;
  if (p != end && *p == '.') {
    ++p;
    const char* const fraction = p;
    while (p != end && *p >= '0' && *p <= '9') {
      digits = digits * 10 + static_cast<unsigned>(*p - '0');
      ++count;
      ++p;
    }
    decimals = static_cast<size_t>(p - fraction);
    if (decimals == 0) return nullptr;
  }
  if (count > 19) return nullptr;  // the digits may not fit
  if (p != end && (*p == 'e' || *p == 'E' || *p == 'x' || *p == 'X' ||
                   *p == '.')) {
    return nullptr;
  }
  if (digits != last.digits || decimals != last.decimals ||
      negative != last.negative) {
    const std::optional<double> exact =
        ExactDecimal(digits, count, decimals, negative);
    if (!exact) return nullptr;
    last = LastDecimal{digits, decimals, negative, *exact};
  }
  value = last.value;
  return p;
}

// Scans `line` the way sscanf(line, "(%lf %lf %lf)", ...) does, with the C
// locale's number syntax: a literal "(", then three numbers, each after any
// amount of white space and read as the longest prefix that strtod accepts.
// Scanning stops at the first failure; numbers not scanned keep their value.
// An embedded NUL ends the scan as it would end a C string.
void ScanCoordinates(std::string_view line, locale_t cLocale,
                     double (&values)[3], LastDecimal (&last)[3]) {
  const char* p = line.data();
  const char* const end = p + line.size();
  if (p == end || *p != '(') return;
  ++p;
  for (int k = 0; k < 3; ++k) {
    double& value = values[k];
    while (p != end && IsCSpace(*p)) ++p;
    if (p == end) return;
    // Short decimals ("-12.3456") are read exactly by hand; other plain
    // decimal numbers by from_chars, which reads them as strtod does.
    // Everything else (a "+" sign, hexadecimal, a value out of range) goes
    // to strtod with the C locale.
    double read = 0.0;
    if (const char* stop = ReadShortDecimal(p, end, read, last[k]);
        stop != nullptr) {
      value = read;
      p = stop;
      continue;
    }
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
    AdviseLargePages(entities.data(), entities.capacity() * sizeof(Entity));
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
EntityLine ParseEntityLine(std::string_view line, locale_t cLocale,
                           LastDecimal (&last)[3]) {
  double values[3] = {0.0, 0.0, 0.0};
  ScanCoordinates(line, cLocale, values, last);
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
  const auto before = [](const Entity& a, const Entity& b) {
    return a.order < b.order;
  };
  // A file written in reading order needs no sorting.
  if (!std::is_sorted(entities.begin(), entities.end(), before)) {
    std::stable_sort(entities.begin(), entities.end(), before);
  }
  size_t runs = 0;
  for (size_t i = 0; i < entities.size(); ++i) {
    if (i == 0 || entities[i].order != entities[i - 1].order) ++runs;
  }
  texts.reserve(texts.size() + runs);
  AdviseLargePages(texts.data(), texts.capacity() * sizeof(COrbText));
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

// A position in drawing units of a DXF or PDF as thousandths. A block's
// transform leaves noise in the last bits (28.4 comes out as 28.39999...),
// so the value is first rounded to millionths, then truncated toward zero
// to thousandths as the numbers of an .orb are.
int32_t PlacedThousandths(double units) {
  constexpr double kLimit = 2147483.647;
  if (std::isnan(units)) return 0;
  if (units >= kLimit) return 2147483647;
  if (units <= -kLimit) return -2147483647;
  const long long millionths = std::llround(units * 1e6);
  return static_cast<int32_t>(millionths / 1000);
}

void FillRecord(COrbRecord* record, size_t lines, size_t entities,
                size_t blank, size_t texts) {
  if (record == nullptr) return;
  CReadRecord& read = record->m_read;
  read.m_bRead = true;
  read.m_nLines = lines;
  read.m_nEntities = entities;
  read.m_nSkipped = lines - entities;
  read.m_nBlank = blank;
  read.m_nTexts = texts;
}

}  // namespace

int COrb::ReadOrbFile(const std::string& path, bool invertX, bool invertY,
                      const std::vector<std::string>* discardList) {
  try {
    CInputFile input;
    if (!input.Load(path)) {
      const size_t slash = path.rfind('/');
      m_strFileName = slash == std::string::npos ? path : path.substr(slash + 1);
      return -1;
    }
    return ReadDrawing(input, 0, invertX, invertY, discardList);
  } catch (const std::exception&) {  // an exhausted resource
    return -1;
  }
}

int COrb::ReadDrawing(CInputFile& input, size_t drawing, bool invertX,
                      bool invertY, const std::vector<std::string>* discardList,
                      std::string* message) {
  try {
    const std::string& path = input.Path();
    const size_t slash = path.rfind('/');
    m_strFileName = slash == std::string::npos ? path : path.substr(slash + 1);
    if (m_pRecord != nullptr) {
      m_pRecord->m_read.m_kind = input.Kind();
      m_pRecord->m_read.m_nPage = drawing;
    }
    if (input.Kind() == DrawingKind::kOrb) {
      if (drawing != 0) return -1;
      return ReadOrbBytes(input, invertX, invertY, discardList);
    }
    const std::vector<CPlacedText>* placed = input.Texts(drawing);
    if (placed == nullptr) {
      if (message != nullptr) *message = input.Message();
      return -1;
    }
    std::vector<Entity> entities;
    entities.reserve(placed->size());
    std::string texts;
    std::string edited;
    for (const CPlacedText& text : *placed) {
      std::string_view kept = text.m_text;
      if (discardList != nullptr && !discardList->empty()) {
        edited = text.m_text;
        for (const std::string& phrase : *discardList) {
          ReplaceText(phrase, std::string(), edited, 30, true);
        }
        kept = edited;
      }
      int32_t x = PlacedThousandths(text.m_x);
      int32_t y = PlacedThousandths(text.m_y);
      if (invertX) x = -x;
      if (invertY) y = -y;
      entities.push_back({OrderKey(x, y), AppendText(texts, kept)});
    }
    SortAndMerge(entities, texts, m_texts);
    FillRecord(m_pRecord, placed->size(), placed->size(), 0, m_texts.size());
    return 0;
  } catch (const std::exception&) {  // an exhausted resource
    return -1;
  }
}

namespace {

// The entities of a run of whole lines.
struct ParsedLines {
  std::vector<Entity> entities;
  std::string texts;  // the texts of all entities, see AppendText
  size_t lines = 0;
  size_t blank = 0;
};

void ParseLines(std::string_view bytes, size_t room, locale_t cLocale,
                bool invertX, bool invertY,
                const std::vector<std::string>* discardList,
                ParsedLines& parsed) {
  LineReader reader(bytes);
  // Room for the entities and texts of `room` bytes of lines: the texts
  // take no more room than the lines they come from, so they are reserved
  // once.
  ReserveHint(parsed.entities, room / 16);
  try {
    parsed.texts.reserve(room);
    AdviseLargePages(parsed.texts.data(), parsed.texts.capacity());
  } catch (const std::exception&) {
  }
  std::string edited;  // the line after the discard phrases were cut out
  const bool discarding = discardList != nullptr && !discardList->empty();
  LastDecimal last[3];
  std::string_view line;
  while (reader.Next(line)) {
    ++parsed.lines;
    while (!line.empty() && IsCSpace(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() != '(') {
      if (line.empty()) ++parsed.blank;
      continue;
    }
    if (discarding) {
      edited.assign(line);
      for (const std::string& phrase : *discardList) {
        ReplaceText(phrase, std::string(), edited, 30, true);
      }
      line = edited;
    }
    EntityLine entity = ParseEntityLine(line, cLocale, last);
    // Clamped coordinates are never INT32_MIN, so negation is safe.
    if (invertX) entity.x = -entity.x;
    if (invertY) entity.y = -entity.y;
    parsed.entities.push_back({OrderKey(entity.x, entity.y),
                               AppendText(parsed.texts, entity.text)});
  }
}

// From this size on, the second half of a file is parsed on a second
// thread; the entities are the same.
constexpr size_t kParallelParseBytes = size_t{1} << 20;

}  // namespace

int COrb::ReadOrbBytes(CInputFile& input, bool invertX, bool invertY,
                       const std::vector<std::string>* discardList) {
  const CLocale cLocale(newlocale(LC_ALL_MASK, "C", locale_t{}));
  if (!cLocale) return -1;
  const std::string_view bytes = input.Bytes();

  // The first part ends with the line end at or after the middle.
  size_t split = bytes.size();
  if (bytes.size() >= kParallelParseBytes) {
    const size_t end = bytes.find('\n', bytes.size() / 2);
    split = end == std::string_view::npos ? bytes.size() : end + 1;
  }
  ParsedLines first;
  if (split < bytes.size()) {
    ParsedLines second;
    CSideTask secondHalf([&] {
      ParseLines(bytes.substr(split), bytes.size() - split, cLocale.get(),
                 invertX, invertY, discardList, second);
    });
    // Room for the entities and texts of both parts.
    ParseLines(bytes.substr(0, split), bytes.size(), cLocale.get(), invertX,
               invertY, discardList, first);
    secondHalf.Join();
    // The second part's texts follow the first part's.
    const size_t offset = first.texts.size();
    first.texts.append(second.texts);
    std::string().swap(second.texts);
    first.entities.reserve(first.entities.size() + second.entities.size());
    for (const Entity& entity : second.entities) {
      first.entities.push_back({entity.order, entity.text + offset});
    }
    std::vector<Entity>().swap(second.entities);
    first.lines += second.lines;
    first.blank += second.blank;
  } else {
    ParseLines(bytes, bytes.size(), cLocale.get(), invertX, invertY,
               discardList, first);
  }
  // Everything needed is in `first` now.
  if (input.ReleasesBytesWhenRead()) input.ReleaseBytes();
  SortAndMerge(first.entities, first.texts, m_texts);
  FillRecord(m_pRecord, first.lines, first.entities.size(), first.blank,
             m_texts.size());
  return 0;
}

int COrb::ReadUpsideDown(const COrb& read) {
  try {
    m_strFileName = read.m_strFileName;
    m_texts.clear();
    m_texts.reserve(read.m_texts.size());
    // Lines of one height, the bottom line first; each stays left to right.
    const std::vector<COrbText>& texts = read.m_texts;
    size_t end = texts.size();
    while (end > 0) {
      size_t begin = end - 1;
      while (begin > 0 && texts[begin - 1].m_y == texts[end - 1].m_y) --begin;
      for (size_t i = begin; i < end; ++i) {
        COrbText& text = m_texts.emplace_back(texts[i]);
        // Read heights are never INT32_MIN; stay in range all the same.
        text.m_y = text.m_y == INT32_MIN ? INT32_MAX : -text.m_y;
      }
      end = begin;
    }
    if (m_pRecord != nullptr && read.m_pRecord != nullptr) {
      m_pRecord->m_read = read.m_pRecord->m_read;
    }
    return 0;
  } catch (const std::exception&) {  // an exhausted resource
    return -1;
  }
}
