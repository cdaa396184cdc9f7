// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

void AdviseLargePages(const void* data, size_t bytes) {
#ifdef MADV_HUGEPAGE
  // Only whole large pages inside the buffer can be given; below a few of
  // them the hint is not worth a system call.
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  if (bytes < 4 * kLargePage) return;
  const uintptr_t start = reinterpret_cast<uintptr_t>(data);
  const uintptr_t begin = (start + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = (start + bytes) & ~(kLargePage - 1);
  if (end <= begin) return;
  madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)data;
  (void)bytes;
#endif
}
