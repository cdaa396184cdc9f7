// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/DrawingWalk.h"

#include <algorithm>
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
  auto file = std::make_shared<CInputFile>();
  if (file->Load(m_current.path)) {
    m_current.pages = std::max<size_t>(file->DrawingCount(), 1);
    m_current.file = std::move(file);
  }
  drawing = m_current;
  return true;
}
