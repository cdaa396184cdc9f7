#include "viewers/OrbDrawing.h"

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

}  // namespace

std::vector<STextPlacement> PlaceTexts(const std::vector<COrbText>& texts,
                                       int width, int height) {
  std::vector<STextPlacement> placements;
  if (texts.empty()) return placements;

  const int64_t w = static_cast<int64_t>(std::max(width, 0) * 0.9);
  const int64_t h = std::max(height, 0);
  const int64_t offsetY = static_cast<int64_t>(static_cast<double>(h) * 0.1);

  int64_t minX = INT32_MAX, maxX = INT32_MIN;
  int64_t minY = INT32_MAX, maxY = INT32_MIN;
  for (const COrbText& text : texts) {
    minX = std::min<int64_t>(minX, text.m_x);
    maxX = std::max<int64_t>(maxX, text.m_x);
    minY = std::min<int64_t>(minY, text.m_y);
    maxY = std::max<int64_t>(maxY, text.m_y);
  }
  const int64_t spanX = maxX - minX;
  const int64_t spanY = maxY - minY;

  placements.reserve(texts.size());
  for (const COrbText& text : texts) {
    STextPlacement placement;
    if (spanX != 0) {
      placement.m_x = ClampToInt(text.m_x * w / spanX + (-w * minX) / spanX);
    }
    if (spanY != 0) {
      placement.m_y = ClampToInt(h - (text.m_y * (h - offsetY) / spanY +
                                      (maxY * offsetY - h * minY) / spanY));
    }
    placement.m_text = text.m_text.empty() ? "*" : text.m_text;
    placements.push_back(std::move(placement));
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
