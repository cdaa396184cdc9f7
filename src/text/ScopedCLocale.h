// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <locale.h>

#include <string>

// Switches the calling thread to the C locale for the lifetime of the object
// and restores the thread's previous locale on destruction, on every path.
// Regular expressions then act on single bytes (a byte above 127 is one
// character that "." matches) and numbers use "." as the decimal point,
// whatever locale the process runs in. When the C locale object cannot be
// made, the thread's locale is left alone.
class ScopedCLocale {
 public:
  ScopedCLocale();
  ~ScopedCLocale();
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

 private:
  locale_t m_cLocale = static_cast<locale_t>(0);
  locale_t m_previous = static_cast<locale_t>(0);
};

// snprintf under the C locale into a string of whatever length the result
// needs (nothing is cut). Returns "" when the format cannot be produced.
std::string FormatC(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

// printf's "%.*f" of `value` with `decimals` digits after the point in the C
// locale ("nan", "-inf" and the like included), without its cost.
std::string FormatFixed(double value, int decimals);
