// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ExactDecimal.h"

std::optional<double> ExactDecimal(uint64_t mantissa, size_t digits,
                                   size_t decimals, bool negative) {
  static constexpr double kTens[] = {
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr uint64_t kExact = uint64_t{1} << 53;
  if (digits == 0 || digits > 19 || mantissa > kExact || decimals > 22) {
    return std::nullopt;
  }
  const double quotient = static_cast<double>(mantissa) / kTens[decimals];
  return negative ? -quotient : quotient;
}
