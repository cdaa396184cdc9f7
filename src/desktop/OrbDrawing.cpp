// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}
int64_t Clamp32(int64_t value) {
  return std::clamp<int64_t>(value, INT32_MIN, INT32_MAX);
}

}  // namespace

CPictureMapping::CPictureMapping(const std::vector<COrbText>& texts, int width,
                                 int height) {
  m_w = static_cast<int64_t>(std::max(width, 0) * 0.9);
  m_h = std::max(height, 0);
  m_offsetY = static_cast<int64_t>(static_cast<double>(m_h) * 0.1);
  if (texts.empty()) return;
  int64_t minX = INT32_MAX, maxX = INT32_MIN;
  int64_t minY = INT32_MAX, maxY = INT32_MIN;
  for (const COrbText& text : texts) {
    minX = std::min<int64_t>(minX, text.m_x);
    maxX = std::max<int64_t>(maxX, text.m_x);
    minY = std::min<int64_t>(minY, text.m_y);
    maxY = std::max<int64_t>(maxY, text.m_y);
  }
  m_minX = minX;
  m_spanX = maxX - minX;
  m_minY = minY;
  m_maxY = maxY;
  m_spanY = maxY - minY;
}

// Each product fits in 64 bits because every factor is within 32 bits.
int CPictureMapping::X(int64_t x) const {
  if (m_spanX == 0) return 0;
  return ClampToInt(Clamp32(x) * m_w / m_spanX + (-m_w * m_minX) / m_spanX);
}

int CPictureMapping::Y(int64_t y) const {
  if (m_spanY == 0) return 0;
  return ClampToInt(m_h - (Clamp32(y) * (m_h - m_offsetY) / m_spanY +
                           (m_maxY * m_offsetY - m_h * m_minY) / m_spanY));
}

std::vector<STextPlacement> PlaceTexts(const std::vector<COrbText>& texts,
                                       int width, int height) {
  std::vector<STextPlacement> placements;
  const CPictureMapping mapping(texts, width, height);
  placements.reserve(texts.size());
  for (const COrbText& text : texts) {
    placements.push_back(
        STextPlacement{mapping.X(text.m_x), mapping.Y(text.m_y),
                       text.m_text.empty() ? "*" : text.m_text});
  }
  return placements;
}

void DrawOrbTexts(QPainter& painter, const QRect& rect, const COrb& orb) {
  const int ascent = QFontMetrics(painter.font()).ascent();
  for (const STextPlacement& placement :
       PlaceTexts(orb.m_texts, rect.width(), rect.height())) {
    const QString text =
        QString::fromLatin1(placement.m_text.data(),
                            static_cast<qsizetype>(placement.m_text.size()));
    painter.drawText(ClampToInt(int64_t{rect.left()} + placement.m_x),
                     ClampToInt(int64_t{rect.top()} + placement.m_y + ascent),
                     text);
  }
}
