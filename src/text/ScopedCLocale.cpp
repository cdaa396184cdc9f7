// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ScopedCLocale.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>

ScopedCLocale::ScopedCLocale() {
  m_cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (m_cLocale != static_cast<locale_t>(0)) {
    m_previous = uselocale(m_cLocale);
  }
}

ScopedCLocale::~ScopedCLocale() {
  if (m_cLocale != static_cast<locale_t>(0)) {
    uselocale(m_previous);
    freelocale(m_cLocale);
  }
}

std::string FormatC(const char* format, ...) {
  ScopedCLocale cLocale;
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string result;
  if (length > 0) {
    result.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<size_t>(length));
  }
  va_end(args);
  return result;
}

std::string FormatFixed(double value, int decimals) {
  // Room for the 309 digits of the largest double and the decimals asked.
  char text[400];
  if (decimals >= 0 && decimals <= 60) {
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value,
                      std::chars_format::fixed, decimals);
    if (error == std::errc()) return std::string(text, end);
  }
  return FormatC("%.*f", decimals, value);
}
