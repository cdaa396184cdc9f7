// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The directory that holds the running program file (resolved through
// /proc/self/exe), without a trailing "/" ("/" for the root directory).
// Returns "." when the program file cannot be resolved.
std::string ProgramDirectory();
