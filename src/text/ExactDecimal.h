// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

// The value of a decimal number given as its digits without the point
// (`mantissa`, `digits` of them, the last `decimals` after the point), when
// one division makes it exactly the double that strtod reads: the mantissa
// a whole number of at most 53 bits, divided by a power of ten that a double
// holds exactly, is rounded once, correctly. Empty for any other number
// (more than 19 digits, which the mantissa may not hold, included).
std::optional<double> ExactDecimal(uint64_t mantissa, size_t digits,
                                   size_t decimals, bool negative);
