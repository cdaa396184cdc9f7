// SPDX-License-Identifier: GPL-3.0-or-later
#include "material/Bolts.h"

#include <regex.h>

#include <memory>
#include <utility>

#include "config/Configuration.h"
#include "items/KelItem.h"
#include "text/TextUtils.h"
#include "material/PipeRodMisc.h"
#include "text/ScopedCLocale.h"
#include "material/ShapeFamily.h"

namespace {

// A compiled POSIX regular expression, freed on every path.
class CompiledRegex {
 public:
  explicit CompiledRegex(const std::string& pattern) {
    m_bCompiled = regcomp(&m_regex, pattern.c_str(), REG_EXTENDED) == 0;
  }
  ~CompiledRegex() {
    if (m_bCompiled) regfree(&m_regex);
  }
  CompiledRegex(const CompiledRegex&) = delete;
  CompiledRegex& operator=(const CompiledRegex&) = delete;

  bool IsCompiled() const { return m_bCompiled; }
  const regex_t* Get() const { return &m_regex; }

 private:
  regex_t m_regex{};
  bool m_bCompiled = false;
};

// The compiled patterns 1 to 6 of one bolt code.
class BoltPatterns {
 public:
  explicit BoltPatterns(std::string code) : m_strCode(std::move(code)) {
    for (int number = 1; number <= kBoltPatternCount; ++number) {
      m_patterns[number - 1] =
          std::make_unique<CompiledRegex>(BoltPattern(number, m_strCode));
    }
  }
  const std::string& Code() const { return m_strCode; }
  const CompiledRegex& Pattern(int number) const {
    return *m_patterns[number - 1];
  }

 private:
  std::string m_strCode;
  std::unique_ptr<CompiledRegex> m_patterns[kBoltPatternCount];
};

// The patterns of `code`. Compiling costs far more than matching, and the
// bolts of a drawing all use the one configured code, so the patterns of
// the code asked for last are kept (one set per thread). Call it in the C
// locale, as the matching is done.
const BoltPatterns& PatternsOf(const std::string& code) {
  thread_local std::unique_ptr<BoltPatterns> last;
  if (last == nullptr || last->Code() != code) {
    last = std::make_unique<BoltPatterns>(code);
  }
  return *last;
}

constexpr size_t kSubMatches = 10;

// Which group gives the designation in patterns 1 to 6; 0: none.
constexpr int kDesignationGroup[kBoltPatternCount + 1] = {0, 3, 0, 2, 0, 2, 0};
constexpr int kDiameterGroup = 1;

std::string GroupText(const std::string& text, const regmatch_t* groups,
                      int group) {
  if (group <= 0 || static_cast<size_t>(group) >= kSubMatches) return "";
  const regmatch_t& m = groups[group];
  if (m.rm_so < 0 || m.rm_eo < m.rm_so ||
      static_cast<size_t>(m.rm_eo) > text.size()) {
    return "";
  }
  return text.substr(static_cast<size_t>(m.rm_so),
                     static_cast<size_t>(m.rm_eo - m.rm_so));
}

}  // namespace

std::string BoltPattern(int number, const std::string& code) {
  const std::string size = kBoltSizePattern;
  const std::string grade = kBoltGradePattern;
  const std::string nuts = kBoltNutsPattern;
  const std::string head = code + " +" + size;
  switch (number) {
    case 1:
      return head + " +" + "[xX]" + " +" + size + " +" + grade + ".*";
    case 2:
      return head + " +" + "[xX]" + " +" + size + ".*";
    case 3:
      return head + " +" + grade + " +" + nuts;
    case 4:
      return head + " +" + nuts;
    case 5:
      return head + " +" + grade + ".*";
    case 6:
      return head + ".*";
    default:
      return "";
  }
}

BoltMatch MatchBoltDescription(const std::string& text,
                               const std::string& code) {
  // Byte-wise matching: under a multibyte locale "." would not cross a byte
  // above 127 and a different pattern would win.
  ScopedCLocale cLocale;
  BoltMatch result;
  const BoltPatterns& patterns = PatternsOf(code);
  for (int number = 1; number <= kBoltPatternCount; ++number) {
    const CompiledRegex& regex = patterns.Pattern(number);
    if (!regex.IsCompiled()) continue;
    regmatch_t groups[kSubMatches];
    if (regexec(regex.Get(), text.c_str(), kSubMatches, groups, REG_NOTBOL) !=
        0) {
      continue;
    }
    result.pattern = number;
    result.diameter = GroupText(text, groups, kDiameterGroup);
    result.designation = GroupText(text, groups, kDesignationGroup[number]);
    break;
  }
  return result;
}

void CKelItem::TranslateBolt(const std::string& text,
                             const CConfiguration& config) {
  std::string copy = text;
  RemoveDiameterAbbreviation(config.m_strDiameter, copy);
  const BoltMatch match =
      MatchBoltDescription(copy, config.MaterialCode(kFamilyBolts));

  m_strDim1 = match.diameter.empty()
                  ? "0"
                  : std::to_string(ParseNominalSize(match.diameter, config));
  std::string designation = match.designation;
  ReplaceText("-", "", designation, 1, false);
  SplitGrade(designation, m_strGradePrefix, m_strGradeNumber);
}
