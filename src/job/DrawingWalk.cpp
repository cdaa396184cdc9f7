// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/DrawingWalk.h"

#include <algorithm>
#include <new>
#include <utility>

bool CDrawingWalk::Next(CDrawing& drawing) {
  if (m_bStarted && m_current.page + 1 < m_current.pages) {
    ++m_current.page;
    drawing = m_current;
    return true;
  }
  if (m_nPath >= m_paths.size()) {
    m_current = CDrawing{};
    return false;
  }
  m_bStarted = true;
  m_current = CDrawing{};
  m_current.path = m_paths[m_nPath++];
  try {
    auto file = std::make_shared<CInputFile>();
    if (file->Load(m_current.path)) {
      m_current.pages = std::max<size_t>(file->DrawingCount(), 1);
      m_current.file = std::move(file);
    }
  } catch (const std::bad_alloc&) {
    // Memory ran out while the file was read: it cannot be read, and the
    // job says so.
    m_current.pages = 1;
    m_current.file = nullptr;
  }
  drawing = m_current;
  return true;
}
