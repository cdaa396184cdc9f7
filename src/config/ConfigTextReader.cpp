// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the text form of a configuration, with toml++ as the parser.
#include <toml++/toml.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <limits>
#include <utility>

#include "config/ConfigText.h"

namespace {

std::vector<std::string> Labels(const char* const* names, size_t count) {
  return std::vector<std::string>(names, names + count);
}

// Latin-1 from the UTF-8 of a TOML string. Returns false, with the first
// character that has no byte in `bad`, when a character is above U+00FF.
bool Latin1FromUtf8(const std::string& utf8, std::string& bytes,
                    uint32_t& bad) {
  bytes.clear();
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes += static_cast<char>(lead);
      ++i;
      continue;
    }
    // toml++ hands out valid UTF-8 only; decode the code point to name it.
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    uint32_t code = lead & (0x7Fu >> length);
    size_t j = 1;
    for (; j < length && i + j < utf8.size(); ++j) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + j]) & 0x3Fu);
    }
    if (code > 0xFF || j < length) {
      bad = code;
      return false;
    }
    bytes += static_cast<char>(code);
    i += length;
  }
  return true;
}

int LineOf(const toml::source_region& region) {
  return static_cast<int>(std::min<uint64_t>(
      region.begin.line,
      static_cast<uint64_t>(std::numeric_limits<int>::max())));
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// One key of a section and how to read its value; `name` is the key's full
// dotted name for messages.
struct CField {
  const char* m_key;
  std::function<void(const toml::node& value, const std::string& name)> m_read;
};

class CTextReader {
 public:
  CTextReader(CConfiguration& config, std::vector<CConfigTextMessage>& messages)
      : m_config(config), m_messages(messages) {}

  bool HadError() const { return m_bError; }

  void ReadRoot(const toml::table& root) {
    CConfiguration& c = m_config;
    ReadFields(
        root, "", "",
        {
            {"columns", [this](const toml::node& v,
                               const std::string& n) { ReadColumns(v, n); }},
            {"materials",
             Section({
                 {"codes",
                  ListOf(c.m_materialCodes, kEditorCodeLimit,
                         Labels(kMaterialCodeLabels, kMaterialCodeCount))},
                 {"default_grades",
                  ListOf(c.m_defaultGrades, kEditorGradeLimit,
                         Labels(kMaterialCodeLabels, kFamilyCount))},
                 {"default_grade",
                  TextOf(c.m_strDefaultGrade, kEditorCodeLimit)},
             })},
            {"fractions",
             Section({
                 {"texts", ListOf(c.m_fractions, kEditorFractionLimit,
                                  Labels(kFractionLabels, kFractionCount))},
             })},
            {"indicators",
             Section({
                 {"diameter", TextOf(c.m_strDiameter, kEditorCodeLimit)},
                 {"left_right", TextOf(c.m_strLeftRight, kEditorCodeLimit)},
                 {"left", TextOf(c.m_strLeft, kEditorCodeLimit)},
                 {"right", TextOf(c.m_strRight, kEditorCodeLimit)},
                 {"schedule", TextOf(c.m_strSchedule, kEditorCodeLimit)},
             })},
            {"switches",
             Section({
                 {"fraction_ignore_case", SwitchOf(c.m_bFractionIgnoreCase)},
                 {"discard_in_output", SwitchOf(c.m_bDiscardInOutput)},
                 {"use_hss_for_tubes", SwitchOf(c.m_bUseHssForTubes)},
             })},
            {"search_replace",
             Section({
                 {"search_for", ListOf(c.m_searchFor, 0, {})},
                 {"replace_with", ListOf(c.m_replaceWith, 0, {})},
             })},
            {"reserved", Section({
                             {"number", NumberOf(c.m_nReserved)},
                             {"double_1", DoubleOf(c.m_dReserved1)},
                             {"double_2", DoubleOf(c.m_dReserved2)},
                         })},
        });
  }

  void CheckListSizes(const toml::table& root) {
    CheckSize(root, "materials", "codes", m_config.m_materialCodes.size(),
              kMaterialCodeCount, false);
    CheckSize(root, "materials", "default_grades",
              m_config.m_defaultGrades.size(), kDefaultGradeCount, true);
    CheckSize(root, "fractions", "texts", m_config.m_fractions.size(),
              kFractionCount, false);
  }

 private:
  using Reader = std::function<void(const toml::node&, const std::string&)>;

  void Add(const toml::source_region& where, bool error, std::string text) {
    m_messages.push_back({LineOf(where), error, std::move(text)});
    m_bError = m_bError || error;
  }
  void Error(const toml::node& where, std::string text) {
    Add(where.source(), true, std::move(text));
  }
  void Warning(const toml::node& where, std::string text) {
    Add(where.source(), false, std::move(text));
  }

  // Reads every key of `table` through the field of the same name; a key
  // without a field is an error. Values are named "<prefix><key>" in
  // messages, unknown keys "... in <where>".
  void ReadFields(const toml::table& table, const std::string& prefix,
                  const std::string& where, const std::vector<CField>& fields) {
    for (auto&& entry : table) {
      // References, not structured bindings: clang 14 cannot capture a
      // structured binding in a lambda.
      const toml::key& key = entry.first;
      const toml::node& value = entry.second;
      const auto field =
          std::find_if(fields.begin(), fields.end(),
                       [&](const CField& f) { return key.str() == f.m_key; });
      if (field == fields.end()) {
        Add(key.source(), true,
            "unknown key " + Quoted(key.str()) +
                (where.empty() ? "" : " in " + where));
        continue;
      }
      field->m_read(value, prefix + std::string(key.str()));
    }
  }

  Reader Section(std::vector<CField> fields) {
    return [this, fields = std::move(fields)](const toml::node& value,
                                              const std::string& name) {
      const toml::table* table = value.as_table();
      if (table == nullptr) {
        Error(value, name + " must be a table");
        return;
      }
      ReadFields(*table, name + ".", "[" + name + "]", fields);
    };
  }

  // Reads one TOML string as bytes; false (reported) when it is not one.
  bool ReadText(const toml::node& value, const std::string& name,
                std::string& out) {
    const toml::value<std::string>* text = value.as_string();
    if (text == nullptr) {
      Error(value, name + " must be a text");
      return false;
    }
    uint32_t bad = 0;
    if (!Latin1FromUtf8(text->get(), out, bad)) {
      char code[16];
      std::snprintf(code, sizeof code, "U+%04" PRIX32, bad);
      Error(value, name + " holds the character " + code +
                       ", which a configuration cannot hold (only U+0000 "
                       "to U+00FF)");
      return false;
    }
    return true;
  }

  void CheckLength(const toml::node& value, const std::string& name,
                   const std::string& text, size_t limit) {
    if (limit == 0 || text.size() <= limit) return;
    Warning(value, name + " has " + std::to_string(text.size()) +
                       " characters; the editor takes at most " +
                       std::to_string(limit));
  }

  Reader TextOf(std::string& field, size_t limit) {
    return [this, &field, limit](const toml::node& value,
                                 const std::string& name) {
      if (ReadText(value, name, field)) CheckLength(value, name, field, limit);
    };
  }

  Reader ListOf(std::vector<std::string>& field, size_t limit,
                std::vector<std::string> labels) {
    return [this, &field, limit, labels = std::move(labels)](
               const toml::node& value, const std::string& name) {
      const toml::array* list = value.as_array();
      if (list == nullptr) {
        Error(value, name + " must be a list of texts");
        return;
      }
      field.assign(list->size(), std::string());
      for (size_t i = 0; i < list->size(); ++i) {
        std::string entry = "entry " + std::to_string(i + 1) + " of " + name;
        if (i < labels.size()) entry += " (" + labels[i] + ")";
        if (ReadText((*list)[i], entry, field[i])) {
          CheckLength((*list)[i], entry, field[i], limit);
        }
      }
    };
  }

  Reader SwitchOf(int32_t& field) {
    return [this, &field](const toml::node& value, const std::string& name) {
      if (const auto* flag = value.as_boolean()) {
        field = flag->get() ? 1 : 0;
        return;
      }
      const auto* number = value.as_integer();
      if (number == nullptr || number->get() < INT32_MIN ||
          number->get() > INT32_MAX) {
        Error(value, name +
                         " must be true, false or a whole number from "
                         "-2147483648 to 2147483647");
        return;
      }
      field = static_cast<int32_t>(number->get());
    };
  }

  Reader NumberOf(int32_t& field) {
    return [this, &field](const toml::node& value, const std::string& name) {
      const auto* number = value.as_integer();
      if (number == nullptr || number->get() < INT32_MIN ||
          number->get() > INT32_MAX) {
        Error(value, name +
                         " must be a whole number from -2147483648 to "
                         "2147483647");
        return;
      }
      field = static_cast<int32_t>(number->get());
    };
  }

  Reader DoubleOf(double& field) {
    return [this, &field](const toml::node& value, const std::string& name) {
      if (const auto* real = value.as_floating_point()) {
        field = real->get();
        return;
      }
      if (const auto* whole = value.as_integer()) {
        field = static_cast<double>(whole->get());
        return;
      }
      // "0x" and the 16 hexadecimal digits of the bits.
      if (const auto* text = value.as_string()) {
        const std::string& bits = text->get();
        uint64_t parsed = 0;
        if (bits.size() == 18 && bits.compare(0, 2, "0x") == 0) {
          const auto result = std::from_chars(
              bits.data() + 2, bits.data() + bits.size(), parsed, 16);
          if (result.ec == std::errc() &&
              result.ptr == bits.data() + bits.size()) {
            field = std::bit_cast<double>(parsed);
            return;
          }
        }
      }
      Error(value, name +
                       " must be a number, or \"0x\" and the 16 hexadecimal "
                       "digits of its bits");
    };
  }

  void ReadColumns(const toml::node& value, const std::string& name) {
    const toml::array* list = value.as_array();
    if (list == nullptr) {
      Error(value, name + " must be a list of columns");
      return;
    }
    m_config.m_columns.assign(list->size(), CConfigColumnItem());
    for (size_t i = 0; i < list->size(); ++i) {
      const std::string column = "column " + std::to_string(i + 1);
      const toml::node& entry = (*list)[i];
      const toml::table* table = entry.as_table();
      if (table == nullptr) {
        Error(entry, column + " must be a table of header, type and fractions");
        continue;
      }
      CConfigColumnItem& item = m_config.m_columns[i];
      item.m_strType = kColumnTypeNames[kColNone];
      ReadFields(*table, column + " ", column,
                 {
                     {"header", TextOf(item.m_strHeader, 0)},
                     {"type", TypeOf(item)},
                     {"fractions", FlagOf(item.m_bFractions)},
                 });
    }
  }

  Reader TypeOf(CConfigColumnItem& item) {
    return [this, &item](const toml::node& value, const std::string& name) {
      if (!ReadText(value, name, item.m_strType)) return;
      const auto* end = kColumnTypeNames + kColumnTypeCount;
      if (std::find_if(kColumnTypeNames, end, [&](const char* type) {
            return item.m_strType == type;
          }) == end) {
        Error(value, name + " " + Quoted(value.as_string()->get()) +
                         " is not one of the 24 column types");
      }
      item.m_nType = ColumnTypeFromName(item.m_strType);
    };
  }

  Reader FlagOf(bool& field) {
    return [this, &field](const toml::node& value, const std::string& name) {
      const auto* flag = value.as_boolean();
      if (flag == nullptr) {
        Error(value, name + " must be true or false");
        return;
      }
      field = flag->get();
    };
  }

  // Reports a list whose length is not the editor's: an error when the file
  // cannot store another length, a warning otherwise.
  void CheckSize(const toml::table& root, const char* section, const char* key,
                 size_t size, int expected, bool strict) {
    const toml::node* list =
        root.at_path(std::string(section) + "." + key).node();
    if (list == nullptr || list->as_array() == nullptr ||
        size == static_cast<size_t>(expected)) {
      return;
    }
    Add(list->source(), strict,
        std::string(section) + "." + key + " holds " + std::to_string(size) +
            " entries; " + (strict ? "it must hold " : "the editor keeps ") +
            std::to_string(expected));
  }

  CConfiguration& m_config;
  std::vector<CConfigTextMessage>& m_messages;
  bool m_bError = false;
};

}  // namespace

bool ConfigurationFromText(std::string_view text, CConfiguration& config,
                           std::vector<CConfigTextMessage>& messages) {
  config = CConfiguration();
  config.ResetToDefaults();
  config.m_searchFor.assign(kSearchReplaceCount, std::string());
  config.m_replaceWith.assign(kSearchReplaceCount, std::string());

  const size_t first = messages.size();
  CTextReader reader(config, messages);
  try {
    const toml::table root = toml::parse(text);
    reader.ReadRoot(root);
    reader.CheckListSizes(root);
  } catch (const toml::parse_error& error) {
    messages.push_back(
        {LineOf(error.source()), true, std::string(error.description())});
    return false;
  }
  std::stable_sort(
      messages.begin() + static_cast<std::ptrdiff_t>(first), messages.end(),
      [](const CConfigTextMessage& a, const CConfigTextMessage& b) {
        return a.m_nLine < b.m_nLine;
      });
  return !reader.HadError();
}
