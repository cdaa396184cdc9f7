// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

// Reading and writing every byte of an open file descriptor. Calls that a
// signal interrupts are repeated.

// Appends everything from `fd` up to its end to `data`. Returns false on a
// read error (what was read before it stays appended).
bool ReadAll(int fd, std::string& data);

// Writes all `size` bytes at `data` to `fd`. Returns false on a write error,
// or when a write takes no byte (it would never finish).
bool WriteAll(int fd, const char* data, size_t size);

inline bool WriteAll(int fd, const std::string& data) {
  return WriteAll(fd, data.data(), data.size());
}
