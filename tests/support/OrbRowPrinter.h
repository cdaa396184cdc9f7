// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "input/Orb.h"

// Prints a table row as its cells in order, so that a failed comparison
// shows which cell differs.
inline void PrintTo(const COrbRow& row, std::ostream* out) {
  *out << "{";
  for (size_t j = 0; j < row.size(); ++j) {
    *out << (j == 0 ? "\"" : ", \"") << row[j] << "\"";
  }
  *out << "}";
}
