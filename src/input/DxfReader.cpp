// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the texts of an ASCII DXF file with dxflib.
//
// dxflib turns the groups of an entity into its data and calls us back with
// it. We split the bytes into groups ourselves, straight from memory, and
// hand dxflib only what it needs for texts: the groups of MTEXT, INSERT and
// BLOCK entities. Every other entity reaches it as a bare entity of no kind,
// so that its geometry costs nothing and the library's geometry code, which
// trusts counts written in the file, never runs.
//
// TEXT and ATTRIB entities, the bulk of a bill of material, we read
// ourselves: the library keeps every group of an entity in a map and reads
// each number through a string stream, which costs ten times what the rest
// of the reading does. What we take from them must be what the library
// would have given, to the bit: see TextEntity and DxfReal.

#include "input/DxfReader.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <variant>

#include "input/DxfText.h"
#include "text/ExactDecimal.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// x' = a x + b y + e, y' = c x + d y + f.
struct Transform {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  void Apply(double& x, double& y) const {
    const double tx = a * x + b * y + e;
    y = c * x + d * y + f;
    x = tx;
  }
  // This transform after `inner`.
  Transform After(const Transform& inner) const {
    Transform t;
    t.a = a * inner.a + b * inner.c;
    t.b = a * inner.b + b * inner.d;
    t.c = c * inner.a + d * inner.c;
    t.d = c * inner.b + d * inner.d;
    t.e = a * inner.e + b * inner.f + e;
    t.f = c * inner.e + d * inner.f + f;
    return t;
  }
};

struct Insert {
  std::string name;
  Transform place;  // block coordinates to those of the container
  int columns = 1;
  int rows = 1;
  double columnSpacing = 0;
  double rowSpacing = 0;
  double angle = 0;  // radians, for the spacing of the copies
};

// What a block or the drawing itself holds: texts and references.
struct Container {
  std::vector<CPlacedText> texts;
  std::vector<Insert> inserts;
  double baseX = 0;
  double baseY = 0;
};

bool StartsWithNoCase(const std::string& text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

// Receives the entities from dxflib.
class Collector : public DL_CreationAdapter {
 public:
  DxfEncoding m_encoding = DxfEncoding::kLatin1;
  bool m_bInvisible = false;  // the entity dxflib is finishing is hidden

  void addBlock(const DL_BlockData& data) override {
    // The blocks of the layouts hold drawing texts, not a definition.
    if (StartsWithNoCase(data.name, "*MODEL_SPACE") ||
        StartsWithNoCase(data.name, "*PAPER_SPACE")) {
      m_pCurrent = &m_drawing;
      return;
    }
    Container& block = m_blocks[data.name];
    block = Container{};
    block.baseX = data.bpx;
    block.baseY = data.bpy;
    m_pCurrent = &block;
  }

  void endBlock() override { m_pCurrent = &m_drawing; }

  // A TEXT, or an ATTRIB unless it is hidden.
  void AddText(double x, double y, std::string_view raw, bool attribute) {
    if (!attribute || !m_bInvisible) Add(x, y, DxfPlainText(raw, m_encoding));
  }

  // dxflib still makes these when a group 9 inside an entity starts a TEXT
  // or ATTRIB of its own.
  void addText(const DL_TextData& data) override {
    AddText(data.ipx, data.ipy, data.text, false);
  }
  void addAttribute(const DL_AttributeData& data) override {
    AddText(data.ipx, data.ipy, data.text, true);
  }

  void addMTextChunk(const std::string& text) override { m_chunks += text; }

  void addMText(const DL_MTextData& data) override {
    const std::string raw = m_chunks + data.text;
    m_chunks.clear();
    // The box's top, middle or bottom stands at the insertion point; the
    // first baseline lies one character height below the top.
    const int row = data.attachmentPoint >= 1 && data.attachmentPoint <= 9
                        ? (data.attachmentPoint - 1) / 3
                        : 0;
    const double spacing = data.lineSpacingFactor > 0 ? data.lineSpacingFactor : 1;
    const double pitch = data.height * 5.0 / 3.0 * spacing;
    const double box =
        data.height + static_cast<double>(MTextLineCount(raw) - 1) * pitch;
    const double down = data.height - row * box / 2.0;
    const double angle = data.dirx != 0 || data.diry != 0
                             ? std::atan2(data.diry, data.dirx)
                             : data.angle;
    Add(data.ipx + down * std::sin(angle), data.ipy - down * std::cos(angle),
        MTextPlainText(raw, m_encoding));
  }

  void addInsert(const DL_InsertData& data) override {
    Insert insert;
    insert.name = data.name;
    insert.angle = data.angle * kPi / 180.0;
    const double cosine = std::cos(insert.angle);
    const double sine = std::sin(insert.angle);
    // Rotation after scale, then the move to the insertion point.
    insert.place.a = cosine * data.sx;
    insert.place.b = -sine * data.sy;
    insert.place.c = sine * data.sx;
    insert.place.d = cosine * data.sy;
    insert.place.e = data.ipx;
    insert.place.f = data.ipy;
    insert.columns = data.cols > 1 ? data.cols : 1;
    insert.rows = data.rows > 1 ? data.rows : 1;
    insert.columnSpacing = data.colSp;
    insert.rowSpacing = data.rowSp;
    m_pCurrent->inserts.push_back(std::move(insert));
  }

  // Puts the drawing's texts, those of its references included, into
  // `texts`. Returns "" or why it cannot.
  std::string Expand(std::vector<CPlacedText>& texts) {
    texts.reserve(std::min(m_drawing.texts.size(), kMaxDxfTexts));
    return ExpandContainer(m_drawing, Transform{}, 0, texts);
  }

 private:
  void Add(double x, double y, std::string text) {
    m_pCurrent->texts.push_back(CPlacedText{x, y, std::move(text)});
  }

  std::string ExpandContainer(Container& container, const Transform& place,
                              int depth, std::vector<CPlacedText>& texts) {
    // A block's contents stand relative to its base point.
    Transform fromBase;
    fromBase.e = -container.baseX;
    fromBase.f = -container.baseY;
    const Transform inside = place.After(fromBase);
    for (CPlacedText& text : container.texts) {
      if (texts.size() >= kMaxDxfTexts) return TooMany();
      // The drawing itself is placed once, a block as often as it is
      // referenced.
      CPlacedText& placed = depth == 0 ? texts.emplace_back(std::move(text))
                                       : texts.emplace_back(text);
      inside.Apply(placed.m_x, placed.m_y);
    }
    for (const Insert& insert : container.inserts) {
      const auto found = m_blocks.find(insert.name);
      if (found == m_blocks.end()) continue;  // a reference to nothing
      if (depth + 1 > kMaxDxfNesting) {
        return "block references nest more than " +
               std::to_string(kMaxDxfNesting) +
               " deep (a block that inserts itself?)";
      }
      for (int row = 0; row < insert.rows; ++row) {
        for (int column = 0; column < insert.columns; ++column) {
          if (++m_nCopies > kMaxDxfTexts) return TooMany();
          // The copies of an array reference stand apart along its rotated
          // axes, unscaled.
          Transform copy = insert.place;
          const double dx = column * insert.columnSpacing;
          const double dy = row * insert.rowSpacing;
          copy.e += dx * std::cos(insert.angle) - dy * std::sin(insert.angle);
          copy.f += dx * std::sin(insert.angle) + dy * std::cos(insert.angle);
          std::string failure = ExpandContainer(
              found->second, inside.After(copy), depth + 1, texts);
          if (!failure.empty()) return failure;
          if (texts.size() >= kMaxDxfTexts) return TooMany();
        }
      }
    }
    return "";
  }

  static std::string TooMany() {
    return "it holds more than " + std::to_string(kMaxDxfTexts) +
           " texts or block copies";
  }

  Container m_drawing;
  std::map<std::string, Container> m_blocks;
  Container* m_pCurrent = &m_drawing;
  std::string m_chunks;  // the MTEXT chunks (group 3) read so far
  size_t m_nCopies = 0;  // block contents placed so far
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

bool IsSpace(char c) { return IsBlank(c) || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

double DxfReal(std::string_view value) {
  // dxflib turns every ',' into '.' and reads the value with operator>> of
  // a string stream: white space skipped, then the longest prefix shaped
  // like a number, and 0 when that prefix is no whole number ("-", "1e").
  size_t at = 0;
  while (at < value.size() && IsSpace(value[at])) ++at;
  // Nothing to read leaves dxflib's number unset: it returns whatever its
  // variable held. Read as a missing group is.
  if (at == value.size()) return 0;
  const size_t start = at;
  if (value[at] == '+' || value[at] == '-') ++at;
  const bool negative = value[start] == '-';

  // Most numbers have few digits and are read exactly (ExactDecimal).
  // First the plainest: digits, a point and digits, and nothing after them.
  {
    uint64_t mantissa = 0;
    size_t digits = 0;
    size_t decimals = 0;
    size_t i = at;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i, ++digits) {
      mantissa = mantissa * 10 + static_cast<uint64_t>(value[i] - '0');
    }
    if (i < value.size() && value[i] == '.') {
      for (++i; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i, ++decimals) {
        mantissa = mantissa * 10 + static_cast<uint64_t>(value[i] - '0');
      }
    }
    digits += decimals;
    if (i == value.size()) {
      if (const auto exact = ExactDecimal(mantissa, digits, decimals, negative)) {
        return *exact;
      }
    }
  }

  size_t digits = 0;
  size_t exponentDigits = 0;
  size_t decimals = 0;    // digits after the point
  uint64_t mantissa = 0;  // the digits, while there are at most 19
  bool point = false;
  bool exponent = false;
  for (; at < value.size(); ++at) {
    const char c = value[at];
    if (c >= '0' && c <= '9') {
      if (exponent) {
        ++exponentDigits;
      } else {
        if (++digits <= 19) mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        decimals += point;
      }
    } else if ((c == '.' || c == ',') && !point && !exponent) {
      point = true;
    } else if ((c == 'e' || c == 'E') && !exponent && digits > 0) {
      exponent = true;
      if (at + 1 < value.size() && (value[at + 1] == '+' || value[at + 1] == '-')) ++at;
    } else {
      break;
    }
  }
  if (digits == 0 || (exponent && exponentDigits == 0)) return 0;

  if (!exponent) {
    if (const auto exact = ExactDecimal(mantissa, digits, decimals, negative)) {
      return *exact;
    }
  }

  // from_chars rounds as the stream's strtod does, but takes no '+' in
  // front and no ','.
  char number[64];
  std::string_view prefix = value.substr(start, at - start);
  if (prefix.front() == '+') prefix.remove_prefix(1);
  if (prefix.size() <= sizeof number) {
    size_t n = 0;
    for (const char c : prefix) number[n++] = c == ',' ? '.' : c;
    double result = 0;
    const auto [stop, error] = std::from_chars(number, number + n, result);
    if (error == std::errc() && stop == number + n) return result;
  }
  // Too long a number, or one beyond the range of a double: the stream
  // has rules of its own for those (the largest double for an overflow).
  std::string copy(value);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  std::istringstream stream(copy);
  double result = 0;
  stream >> result;
  return result;
}

namespace {

// A TEXT or ATTRIB entity being read: its insertion point and its text, as
// dxflib keeps them: the last value of a repeated group wins, and a missing
// one reads as 0 or "".
struct TextEntity {
  bool active = false;
  bool attribute = false;
  std::string_view x, y, text;  // data() is null while the group is missing

  void Start(bool isAttribute) { *this = TextEntity{true, isAttribute, {}, {}, {}}; }

  void Take(int code, std::string_view value) {
    // A value may be empty: it still counts as given.
    if (value.data() == nullptr) value = std::string_view("", 0);
    if (code == 10) x = value;
    if (code == 20) y = value;
    if (code == 1) text = value;
  }

  // Hands the entity to `collector`, as dxflib does when the next entity
  // starts.
  void Finish(Collector& collector) {
    if (!active) return;
    active = false;
    collector.AddText(x.data() ? DxfReal(x) : 0, y.data() ? DxfReal(y) : 0, text,
                      attribute);
  }
};

// The line starting at `at`, without its '\n'; moves `at` past it.
std::string_view NextLine(std::string_view bytes, size_t& at) {
  // Most lines of a DXF file are a few bytes long: eight bytes looked at
  // at once, without a branch for each, find their end soonest.
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighs = 0x8080808080808080;
  const size_t start = at;
  size_t end = start;
  for (int words = 0; words < 4 && end + 8 <= bytes.size(); ++words) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + end, 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    word ^= kOnes * '\n';  // a byte 0 where the '\n' stands
    // The lowest byte flagged is the first 0 byte; those above it may be
    // flagged wrongly, which does not matter.
    const uint64_t zeros = (word - kOnes) & ~word & kHighs;
    if (zeros != 0) {
      end += static_cast<size_t>(std::countr_zero(zeros) / 8);
      at = end + 1;
      return bytes.substr(start, end - start);
    }
    end += 8;
  }
  const void* found = std::memchr(bytes.data() + end, '\n', bytes.size() - end);
  end = found ? static_cast<size_t>(static_cast<const char*>(found) - bytes.data())
              : bytes.size();
  at = end < bytes.size() ? end + 1 : end;
  return bytes.substr(start, end - start);
}

// Reads the group code on the line at `at` and moves `at` past it, when
// the line is as most are: blanks, one to four digits, blanks. Returns
// false, moving nothing, for any other.
bool QuickGroupCode(std::string_view bytes, size_t& at, int& code) {
  size_t i = at;
  while (i < bytes.size() && bytes[i] == ' ') ++i;
  const size_t digitsStart = i;
  int value = 0;
  while (i < bytes.size() && i - digitsStart < 5 && bytes[i] >= '0' && bytes[i] <= '9') {
    value = value * 10 + (bytes[i++] - '0');
  }
  if (i == digitsStart || i - digitsStart > 4) return false;
  while (i < bytes.size() && IsBlank(bytes[i])) ++i;
  if (i == bytes.size() || bytes[i] != '\n') return false;
  code = value;
  at = i + 1;
  return true;
}

// The entities that carry texts or place them, and the section markers.
bool IsWanted(std::string_view type) {
  return type == "TEXT" || type == "MTEXT" || type == "ATTRIB" ||
         type == "INSERT" || type == "BLOCK" || type == "ENDBLK" ||
         type == "SEQEND";
}

}  // namespace

std::string ReadDxfTexts(std::string_view bytes,
                         std::vector<CPlacedText>& texts) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  Collector collector;
  DL_Dxf dxf;
  // A comment naming the library's own version makes it read MTEXT angles
  // in degrees, as files write them, whatever version it assumes before.
  // It goes through in(), which alone sets the kind of the entity being
  // read and the last group code: left unset, they hold what the stack
  // held before, and the first group 0 could finish an entity of a file
  // read earlier, or every group be taken for extended data.
  std::istringstream start("999\ndxflib " DL_VERSION "\n");
  dxf.in(start, &collector);

  std::string section;        // the name of the section being read
  std::string_view type;      // of the entity being read
  std::string header;         // the header variable being read
  std::string acadVersion;    // $ACADVER
  std::string codePage;       // $DWGCODEPAGE
  bool inHeader = false;       // section == "HEADER"
  bool expectSectionName = false;
  bool ended = false;
  bool wanted = false;
  // dxflib holds nothing it would hand us: its entity is of no kind and has
  // no groups. Another entity of no kind changes nothing in it then.
  bool dxflibIdle = false;
  TextEntity text;  // read here, not by dxflib
  std::string value;
  size_t at = 0;
  size_t line = 0;
  while (at < bytes.size() && !ended) {
    // One group: a line with its code, a line with its value.
    int code = 0;
    ++line;
    if (!QuickGroupCode(bytes, at, code)) {
      std::string_view codeLine = NextLine(bytes, at);
      while (!codeLine.empty() && IsBlank(codeLine.front())) codeLine.remove_prefix(1);
      while (!codeLine.empty() && IsBlank(codeLine.back())) codeLine.remove_suffix(1);
      if (codeLine.empty() && at >= bytes.size()) break;  // a last line end
      const auto [stop, error] =
          std::from_chars(codeLine.data(), codeLine.data() + codeLine.size(), code);
      if (error != std::errc() || stop != codeLine.data() + codeLine.size()) {
        return "line " + std::to_string(line) + " holds no group code";
      }
    }
    if (at >= bytes.size()) break;  // a code without its value
    std::string_view valueLine = NextLine(bytes, at);
    ++line;
    if (!valueLine.empty() && valueLine.back() == '\r') valueLine.remove_suffix(1);

    if (code == 0) {
      // A new entity: dxflib finishes the one before it now.
      while (!valueLine.empty() && IsBlank(valueLine.front())) valueLine.remove_prefix(1);
      while (!valueLine.empty() && IsBlank(valueLine.back())) valueLine.remove_suffix(1);
      type = valueLine;
      if (type == "EOF") ended = true;
      if (type == "SECTION") expectSectionName = true;
      if (type == "ENDSEC") {
        section.clear();
        inHeader = false;
      }
      if (inHeader) {
        header.clear();
        continue;
      }
      text.Finish(collector);
      wanted = IsWanted(type);
      if (type == "TEXT" || type == "ATTRIB") {
        text.Start(type == "ATTRIB");
        wanted = true;
      }
      if (wanted && !text.active) {
        value.assign(type);
        dxf.processDXFGroup(&collector, 0, value);
        dxflibIdle = false;
      } else if (!dxflibIdle) {
        dxf.processDXFGroup(&collector, 0, std::string());
        dxflibIdle = true;
      }
      collector.m_bInvisible = false;
      continue;
    }
    if (expectSectionName && code == 2) {
      section.assign(valueLine);
      inHeader = section == "HEADER";
      expectSectionName = false;
      if (section == "ENTITIES" || section == "BLOCKS") {
        collector.m_encoding = DxfEncodingOf(acadVersion, codePage);
      }
      continue;
    }
    if (inHeader) {
      // Only the release and the code page matter: they tell how the
      // texts are encoded.
      if (code == 9) {
        header.assign(valueLine);
      } else if (header == "$ACADVER" && code == 1) {
        acadVersion.assign(valueLine);
      } else if (header == "$DWGCODEPAGE" && code == 3) {
        codePage.assign(valueLine);
      }
      continue;
    }
    if (!wanted || code >= 1000 || code == 102 || code == 330 || code == 360) {
      continue;
    }
    if (code == 70 && type == "ATTRIB") {
      int flags = 0;
      std::from_chars(valueLine.data(), valueLine.data() + valueLine.size(), flags);
      collector.m_bInvisible = (flags & 1) != 0;
    }
    if (text.active && code != 9 && code != 999) {
      text.Take(code, valueLine);
      continue;
    }
    // Group 9 ends an entity in dxflib as group 0 does; dxflib reads on
    // from there. A comment (999) touches no entity.
    if (code == 9) text.Finish(collector);
    // dxflib passes an MTEXT's pieces (group 3) on only from files it reads
    // itself: a text longer than 250 characters would keep its last piece.
    if (code == 3 && type == "MTEXT") {
      collector.addMTextChunk(std::string(valueLine));
      continue;
    }
    // dxflib leaves a blank number unset, so it would read as whatever
    // memory held: it reads as 0, as in a TEXT.
    const bool real = (code >= 10 && code <= 59) ||
                      (code >= 110 && code <= 149) ||
                      (code >= 210 && code <= 239) ||
                      (code >= 460 && code <= 469);
    if (real && std::all_of(valueLine.begin(), valueLine.end(), IsBlank)) {
      valueLine = "0";
    }
    if (code != 999) dxflibIdle = false;
    value.assign(valueLine);
    dxf.processDXFGroup(&collector, code, value);
  }
  if (!ended) return "it ends before its EOF";
  return collector.Expand(texts);
}
