// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstddef>
#include <string>

#include "config/Configuration.h"
#include "text/TextUtils.h"

namespace {

// Each pair is applied at most this many times to one text.
constexpr int kMaxReplacements = 100;

// Blank: empty, or nothing but blanks and tabs.
bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

void CConfiguration::ApplySearchReplace(std::string& text) const {
  static const std::string kNoReplacement;
  for (size_t i = 0; i < m_searchFor.size(); ++i) {
    if (IsBlank(m_searchFor[i])) continue;
    // Lists from a hand-made file may lack replacements: delete instead.
    const std::string& replacement =
        i < m_replaceWith.size() ? m_replaceWith[i] : kNoReplacement;
    ReplaceText(m_searchFor[i], replacement, text, kMaxReplacements, false);
  }
}
