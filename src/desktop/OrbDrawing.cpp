// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QRect>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
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

double CPictureMapping::PixelsX(int64_t distance) const {
  if (m_spanX == 0) return 0.0;
  return static_cast<double>(distance) * static_cast<double>(m_w) /
         static_cast<double>(m_spanX);
}

double CPictureMapping::PixelsY(int64_t distance) const {
  if (m_spanY == 0) return 0.0;
  return static_cast<double>(distance) *
         static_cast<double>(m_h - m_offsetY) / static_cast<double>(m_spanY);
}

int64_t TypicalLinePitch(const std::vector<COrbText>& texts) {
  std::vector<int32_t> heights;
  heights.reserve(texts.size());
  for (const COrbText& text : texts) heights.push_back(text.m_y);
  std::sort(heights.begin(), heights.end());
  heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
  if (heights.size() < 2) return 0;
  std::vector<int64_t> gaps;
  gaps.reserve(heights.size() - 1);
  for (size_t i = 1; i < heights.size(); ++i) {
    gaps.push_back(int64_t{heights[i]} - heights[i - 1]);
  }
  const auto nth = gaps.begin() + static_cast<std::ptrdiff_t>(
                                      (gaps.size() - 1) * 9 / 10);
  std::nth_element(gaps.begin(), nth, gaps.end());
  return *nth;
}

void SetZoomLevel(SPictureView& view, double zoom,
                  const std::vector<COrbText>& texts, QSize size) {
  zoom = std::clamp(zoom, 1.0, kMaxZoom);
  const CPictureMapping mapping(texts, size.width(), size.height());
  const double across = mapping.PixelsX(1);
  const double down = mapping.PixelsY(1);
  if (across <= 0.0 || down <= 0.0) {
    view.m_zoomX = view.m_zoomY = zoom;
    return;
  }
  const double scale = std::min(across, down) * zoom;
  view.m_zoomX = std::clamp(scale / across, 1.0, kMaxZoom);
  view.m_zoomY = std::clamp(scale / down, 1.0, kMaxZoom);
}

QRect ZoomedPicture(const QRect& area, const SPictureView& view) {
  constexpr double kLimit = double{1 << 30};
  const auto side = [&](int size, double zoom) {
    zoom = std::clamp(zoom, 1.0, kMaxZoom);
    return static_cast<int>(
        std::min(std::round(std::max(size, 0) * zoom), kLimit));
  };
  const auto offset = [&](double value) {
    return static_cast<int>(std::clamp(std::round(value), -kLimit, kLimit));
  };
  return QRect(area.left() + offset(view.m_offset.x()),
               area.top() + offset(view.m_offset.y()),
               side(area.width(), view.m_zoomX),
               side(area.height(), view.m_zoomY));
}

bool TextsAsDots(const std::vector<COrbText>& texts, const QRect& picture,
                 int64_t linePitch) {
  if (linePitch <= 0) return false;
  const CPictureMapping mapping(texts, picture.width(), picture.height());
  return mapping.PixelsY(linePitch) < 1.0;
}

void DrawOrbTexts(QPainter& painter, const QRect& picture, const COrb& orb,
                  const QRect& visible, int64_t linePitch) {
  const QFontMetrics metrics(painter.font());
  const int ascent = metrics.ascent();
  const int64_t lineSpacing = metrics.lineSpacing();
  const int64_t widest = std::max(metrics.maxWidth(), 1);
  const CPictureMapping mapping(orb.m_texts, picture.width(), picture.height());
  const bool dots = TextsAsDots(orb.m_texts, picture, linePitch);
  QPolygon points;
  for (const COrbText& text : orb.m_texts) {
    const int64_t x = int64_t{picture.left()} + mapping.X(text.m_x);
    const int64_t y = int64_t{picture.top()} + mapping.Y(text.m_y);
    const int64_t width =
        dots ? 1 : widest * static_cast<int64_t>(std::max<size_t>(
                                text.m_text.size(), 1));
    if (x > visible.right() || x + width <= visible.left() ||
        y > visible.bottom() || y + (dots ? 1 : lineSpacing) <= visible.top()) {
      continue;
    }
    if (dots) {
      points << QPoint(static_cast<int>(x), static_cast<int>(y));
      continue;
    }
    const QString shown =
        text.m_text.empty()
            ? QStringLiteral("*")
            : QString::fromLatin1(text.m_text.data(),
                                  static_cast<qsizetype>(text.m_text.size()));
    painter.drawText(static_cast<int>(x), ClampToInt(y + ascent), shown);
  }
  if (!points.isEmpty()) painter.drawPoints(points);
}
