// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Asks the system to back the `bytes` of memory at `data` with large pages
// where it can: a buffer of many megabytes then costs a few page faults
// instead of one per 4 KiB. Only a hint, for buffers about to be filled;
// small ones, and systems that cannot, are left as they are.
void AdviseLargePages(const void* data, size_t bytes);
