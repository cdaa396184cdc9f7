// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/ConfigText.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

// clang-format off
const char* const kMaterialCodeLabels[kMaterialCodeCount] = {
    "W", "S", "M", "HP", "WT", "ST", "MT", "C", "MC", "Plates",
    "Chk.Pl", "Bars", "Angles", "Tubes", "Rods", "Rebar", "Pipe", "Bolts",
    "Misc", "MM", "Standard Pipe Prefix", "Extra Heavy Pipe Prefix",
    "Double Extra Heavy Pipe Prefix", "Gage Abbreviation"};
// clang-format on

const char* const kFractionLabels[kFractionCount] = {
    "1/16", "1/8", "3/16",  "1/4", "5/16",  "3/8", "7/16", "1/2",
    "9/16", "5/8", "11/16", "3/4", "13/16", "7/8", "15/16"};

namespace {

// Entries of a list are padded to this many characters at most, so that
// their labels line up without long texts pushing them far to the right.
constexpr size_t kLabelColumn = 24;

// Characters, not bytes: UTF-8 continuation bytes do not count.
size_t DisplayWidth(const std::string& text) {
  return static_cast<size_t>(std::count_if(
      text.begin(), text.end(),
      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The bits TOML's "nan" reads as.
uint64_t CanonicalNanBits() {
  return std::bit_cast<uint64_t>(std::numeric_limits<double>::quiet_NaN());
}

// A TOML float that reads back as the same bits, or the bits as text.
std::string FormatDouble(double value) {
  if (std::isnan(value)) {
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    if (bits == CanonicalNanBits()) return "nan";
    char hex[32];
    std::snprintf(hex, sizeof hex, "\"0x%016" PRIx64 "\"", bits);
    return hex;
  }
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  // The shortest form that reads back exactly, in the C locale's notation.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string FormatSwitch(int32_t value) {
  if (value == 0) return "false";
  if (value == 1) return "true";
  return std::to_string(value);
}

// Comments that explain a section, one "# " line each.
void AppendComment(std::string& out, std::initializer_list<const char*> lines) {
  for (const char* line : lines) {
    out += "# ";
    out += line;
    out += '\n';
  }
}

void AppendKey(std::string& out, const char* key, const std::string& value,
               const char* comment = nullptr) {
  out += key;
  out += " = ";
  out += value;
  if (comment != nullptr) {
    out += "  # ";
    out += comment;
  }
  out += '\n';
}

// `key = [ ... ]`, one entry a line, entry i labelled labels[i] when given.
void AppendList(std::string& out, const char* key,
                const std::vector<std::string>& list,
                const std::vector<std::string>& labels) {
  out += key;
  if (list.empty()) {
    out += " = []\n";
    return;
  }
  out += " = [\n";
  std::vector<std::string> quoted;
  size_t width = 0;
  for (const std::string& entry : list) {
    quoted.push_back(QuoteText(entry) + ",");
    width = std::max(width, DisplayWidth(quoted.back()));
  }
  width = std::min(width, kLabelColumn);
  for (size_t i = 0; i < quoted.size(); ++i) {
    out += "  ";
    out += quoted[i];
    if (i < labels.size()) {
      const size_t shown = DisplayWidth(quoted[i]);
      out.append(shown < width ? width - shown : 0, ' ');
      out += "  # ";
      out += labels[i];
    }
    out += '\n';
  }
  out += "]\n";
}

std::vector<std::string> Labels(const char* const* names, size_t count) {
  return std::vector<std::string>(names, names + count);
}

std::vector<std::string> PairLabels(size_t count) {
  std::vector<std::string> labels;
  for (size_t i = 1; i <= count; ++i) {
    labels.push_back("pair " + std::to_string(i));
  }
  return labels;
}

}  // namespace

std::string QuoteText(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (byte) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\b':
        out += "\\b";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\f':
        out += "\\f";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
          // Control characters, C1 ones included, never reach a terminal.
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04X", byte);
          out += escape;
        } else if (byte >= 0xA0) {
          out += static_cast<char>(0xC0 | (byte >> 6));
          out += static_cast<char>(0x80 | (byte & 0x3F));
        } else {
          out += c;
        }
        break;
    }
  }
  out += '"';
  return out;
}

std::string ConfigurationToText(const CConfiguration& config) {
  std::string out;
  AppendComment(
      out,
      {
          "Kelconv configuration as text; \"kelconv --make-config\" turns it",
          "back into a configuration file. Texts are single bytes: the",
          "characters U+0000 to U+00FF stand for the bytes 0 to 255.",
      });

  out += '\n';
  AppendComment(
      out,
      {
          "Columns of the bill-of-material table, in the order they are tried:",
          "the header text (compared whole, ignoring case), the column type "
          "and",
          "whether values may hold fraction texts. Types: None, Quantity,",
          "Material, Length(Feet), Length(Inches), Length(Ft + In), Major PC "
          "Mark,",
          "Minor PC Mark, Piece Mark, Grade, Remarks, Weight, Sequence, "
          "Camber,",
          "Mill Mark, Price Units, Price, Shop Hours, Field Hours, Labor Code,",
          "Drawing Number, Revision Number, Finish, ABM Number.",
      });
  if (config.m_columns.empty()) {
    out += "columns = []\n";
  } else {
    out += "columns = [\n";
    for (const CConfigColumnItem& column : config.m_columns) {
      out += "  { header = " + QuoteText(column.m_strHeader) +
             ", type = " + QuoteText(column.m_strType) +
             ", fractions = " + (column.m_bFractions ? "true" : "false") +
             " },\n";
    }
    out += "]\n";
  }

  out += "\n[materials]\n";
  AppendComment(
      out,
      {
          "Material code of each shape family, the three pipe prefixes and the",
          "gage abbreviation; the default grade of each shape family; the",
          "overall default grade.",
      });
  AppendList(out, "codes", config.m_materialCodes,
             Labels(kMaterialCodeLabels, kMaterialCodeCount));
  // As in the file: always twenty grades.
  std::vector<std::string> grades;
  for (int i = 0; i < kDefaultGradeCount; ++i) {
    grades.push_back(config.DefaultGrade(i));
  }
  AppendList(out, "default_grades", grades,
             Labels(kMaterialCodeLabels, kFamilyCount));
  AppendKey(out, "default_grade", QuoteText(config.m_strDefaultGrade));

  out += "\n[fractions]\n";
  AppendComment(out, {"The texts that stand for sixteenths of an inch."});
  AppendList(out, "texts", config.m_fractions,
             Labels(kFractionLabels, kFractionCount));

  out += "\n[indicators]\n";
  AppendComment(
      out,
      {
          "Diameter abbreviation, left/right, left and right indicators and",
          "schedule indicator of material descriptions.",
      });
  AppendKey(out, "diameter", QuoteText(config.m_strDiameter));
  AppendKey(out, "left_right", QuoteText(config.m_strLeftRight));
  AppendKey(out, "left", QuoteText(config.m_strLeft));
  AppendKey(out, "right", QuoteText(config.m_strRight));
  AppendKey(out, "schedule", QuoteText(config.m_strSchedule));

  out += "\n[switches]\n";
  AppendComment(
      out,
      {
          "Fraction texts match ignoring case (the editor's \"Case Sensitive\"",
          "box shows the inverse); \"Discard in output\"; \"Use HSS For "
          "Tubes\".",
      });
  AppendKey(out, "fraction_ignore_case",
            FormatSwitch(config.m_bFractionIgnoreCase));
  AppendKey(out, "discard_in_output", FormatSwitch(config.m_bDiscardInOutput));
  AppendKey(out, "use_hss_for_tubes", FormatSwitch(config.m_bUseHssForTubes));

  out += "\n[search_replace]\n";
  AppendComment(
      out, {
               "Applied in order to remark and material texts before any other",
               "conversion: entry i of search_for is replaced by entry i of",
               "replace_with.",
           });
  AppendList(out, "search_for", config.m_searchFor,
             PairLabels(config.m_searchFor.size()));
  AppendList(out, "replace_with", config.m_replaceWith,
             PairLabels(config.m_replaceWith.size()));

  out += "\n[reserved]\n";
  AppendComment(out, {"Kept in the file, read by nothing."});
  AppendKey(out, "number", std::to_string(config.m_nReserved));
  AppendKey(out, "double_1", FormatDouble(config.m_dReserved1));
  AppendKey(out, "double_2", FormatDouble(config.m_dReserved2));
  return out;
}

std::string FormatConfigTextMessage(const std::string& file,
                                    const CConfigTextMessage& message) {
  std::string out = file;
  if (message.m_nLine > 0) out += ":" + std::to_string(message.m_nLine);
  out += ": ";
  if (!message.m_bError) out += "warning: ";
  return out + message.m_strText;
}
