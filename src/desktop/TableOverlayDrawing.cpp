// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/TableOverlayDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "desktop/TableOverlay.h"

namespace {

constexpr int kMaxLanes = 3;
// Pictures never need coordinates farther out; the paint engine is spared
// the extremes a far-off text could give.
constexpr int64_t kPixelLimit = int64_t{1} << 20;

int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}
int ToPixel(int64_t value) {
  return static_cast<int>(std::clamp(value, -kPixelLimit, kPixelLimit));
}
QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A position of the file as a reading with these flags holds it.
int64_t Turned(int32_t value, bool invert) {
  return invert ? -int64_t{value} : int64_t{value};
}

OverlayInk InkOf(TextPlace place) {
  switch (place) {
    case TextPlace::kCell:
      return OverlayInk::kCell;
    case TextPlace::kHeader:
      return OverlayInk::kHeader;
    case TextPlace::kNoTable:
    case TextPlace::kAboveData:
    case TextPlace::kEmpty:
    case TextPlace::kReplaced:
      break;
  }
  return OverlayInk::kUnplaced;
}

// Gives every header a label lane: the first lane whose last label ends
// left of it, else the lane that ends leftmost. Returns the lanes used.
int PlaceLabels(std::vector<SOverlayLayout::Header>& headers, const QRect& area,
                int lineSpacing) {
  std::vector<size_t> order(headers.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return headers[a].m_x < headers[b].m_x;
  });
  std::vector<int64_t> laneEnd;
  for (const size_t i : order) {
    QRect& label = headers[i].m_label;
    const int64_t right = int64_t{area.left()} + area.width();
    const int64_t left = std::max<int64_t>(
        area.left(), std::min<int64_t>(headers[i].m_x, right - label.width()));
    size_t lane = 0;
    while (lane < laneEnd.size() && laneEnd[lane] >= left) ++lane;
    if (lane == laneEnd.size() && laneEnd.size() == kMaxLanes) {
      lane = static_cast<size_t>(
          std::min_element(laneEnd.begin(), laneEnd.end()) - laneEnd.begin());
    }
    if (lane == laneEnd.size()) laneEnd.push_back(0);
    // A gap of a few pixels keeps neighbouring labels apart.
    laneEnd[lane] = left + label.width() + 6;
    label.moveTo(ToPixel(left),
                 ToPixel(int64_t{area.top()} +
                         static_cast<int64_t>(lane) * lineSpacing));
  }
  return static_cast<int>(laneEnd.size());
}

}  // namespace

QColor OverlayColour(OverlayInk ink) {
  switch (ink) {
    case OverlayInk::kCell:
      return QColor(0, 72, 200);
    case OverlayInk::kUnplaced:
      return QColor(214, 0, 0);
    case OverlayInk::kHeader:
      return QColor(0, 128, 48);
    case OverlayInk::kDisplayed:
      break;
  }
  return QColor(160, 160, 160);
}

QColor RowBandColour(size_t shade) {
  return shade % 2 == 0 ? QColor(255, 243, 196) : QColor(222, 236, 255);
}

SOverlayLayout LayoutTableOverlay(const CTableOverlay& overlay,
                                  const std::vector<COrbText>& displayed,
                                  bool invertX, bool invertY, const QRect& area,
                                  const QFontMetrics& metrics,
                                  const SPictureView& view) {
  SOverlayLayout layout;
  layout.m_textArea = area;
  layout.m_picture = ZoomedPicture(area, view);
  if (overlay.m_status != OverlayStatus::kApplies) return layout;
  const int lineSpacing = std::max(metrics.lineSpacing(), 1);

  // Horizontal positions do not depend on the height left for the texts.
  const QRect wide = ZoomedPicture(area, view);
  const CPictureMapping across(displayed, wide.width(), 0);
  for (const COverlayHeader& header : overlay.m_headers) {
    SOverlayLayout::Header entry;
    entry.m_x =
        ToPixel(int64_t{wide.left()} + across.X(Turned(header.m_x, invertX)));
    entry.m_text = Latin1(header.m_strType);
    entry.m_label =
        QRect(0, 0, metrics.horizontalAdvance(entry.m_text), lineSpacing);
    layout.m_headers.push_back(std::move(entry));
  }
  const int lanes = PlaceLabels(layout.m_headers, area, lineSpacing);
  if (lanes > 0) {
    const int top = ClampToInt(int64_t{lanes} * lineSpacing + 4);
    layout.m_textArea.setTop(
        std::min(area.top() + std::min(top, area.height()), area.bottom() + 1));
  }

  layout.m_picture = ZoomedPicture(layout.m_textArea, view);
  const QRect& picture = layout.m_picture;
  const CPictureMapping mapping(displayed, picture.width(), picture.height());
  const auto pixelX = [&](int32_t x) {
    return int64_t{picture.left()} + mapping.X(Turned(x, invertX));
  };
  const auto pixelY = [&](int32_t y) {
    return int64_t{picture.top()} + mapping.Y(Turned(y, invertY));
  };

  for (size_t i = 0; i < overlay.m_texts.size(); ++i) {
    const COrbText& text = overlay.m_texts[i];
    SOverlayLayout::Text entry;
    entry.m_pos = QPoint(ToPixel(pixelX(text.m_x)), ToPixel(pixelY(text.m_y)));
    entry.m_text =
        text.m_text.empty() ? QStringLiteral("*") : Latin1(text.m_text);
    entry.m_ink = i < overlay.m_places.size()
                      ? InkOf(overlay.m_places[i].m_place)
                      : OverlayInk::kUnplaced;
    layout.m_texts.push_back(std::move(entry));
  }

  // A band is centred on the middle of its texts' line and reaches halfway
  // to its neighbours, so that neighbouring bands share an edge. Rows drawn
  // at one height (a row search that ended at 0 repeats heights, and the
  // texts go to the first of them) leave the whole band to the first one.
  const std::vector<int32_t>& rows = overlay.m_rowHeights;
  std::vector<int64_t> centres;  // one per distinct height, in row order
  std::vector<size_t> groupOf;   // per row, its entry in `centres`
  for (const int32_t row : rows) {
    const int64_t centre = pixelY(row) + lineSpacing / 2;
    if (centres.empty() || centres.back() != centre) centres.push_back(centre);
    groupOf.push_back(centres.size() - 1);
  }
  const size_t n = centres.size();
  std::vector<int64_t> edges(n + 1, 0);  // edges[g]: between groups g-1, g
  for (size_t g = 1; g < n; ++g) {
    edges[g] = centres[g - 1] + (centres[g] - centres[g - 1]) / 2;
  }
  // The outer rows reach as far out as in, or half a line and a little
  // when there is no neighbour.
  const int64_t reach = lineSpacing / 2 + 2;
  if (n == 1) {
    edges[0] = centres[0] - reach;
    edges[1] = centres[0] + reach;
  } else if (n > 1) {
    edges[0] = centres[0] - (edges[1] - centres[0]);
    edges[n] = centres[n - 1] + (centres[n - 1] - edges[n - 1]);
  }
  for (size_t k = 0; k < rows.size(); ++k) {
    const size_t g = groupOf[k];
    SOverlayLayout::Band band;
    band.m_nRow = k;
    band.m_nShade = g;
    if (k > 0 && groupOf[k - 1] == g) {
      band.m_top = band.m_bottom = ToPixel(centres[g]);
    } else {
      band.m_top = ToPixel(std::min(edges[g], edges[g + 1]));
      band.m_bottom = ToPixel(std::max(edges[g], edges[g + 1]));
    }
    layout.m_bands.push_back(band);
  }
  return layout;
}

void DrawTableBands(QPainter& painter, const SOverlayLayout& layout) {
  const QRect& area = layout.m_textArea;
  for (const SOverlayLayout::Band& band : layout.m_bands) {
    if (band.m_bottom <= band.m_top) continue;
    painter.fillRect(QRect(area.left(), band.m_top, area.width(),
                           band.m_bottom - band.m_top),
                     RowBandColour(band.m_nShade));
  }
}

void DrawTableMarks(QPainter& painter, const SOverlayLayout& layout,
                    bool dots) {
  painter.save();
  const QRect& area = layout.m_textArea;
  const QColor header = OverlayColour(OverlayInk::kHeader);
  QPen line(header, 1, Qt::DashLine);
  for (const SOverlayLayout::Header& entry : layout.m_headers) {
    // The line runs from under its label to the bottom of the picture.
    painter.setPen(line);
    painter.drawLine(entry.m_x, entry.m_label.bottom() + 1, entry.m_x,
                     area.bottom());
    painter.setPen(header);
    painter.drawText(entry.m_label, Qt::AlignLeft | Qt::AlignVCenter,
                     entry.m_text);
  }
  const QFontMetrics metrics(painter.font());
  const int ascent = metrics.ascent();
  const int64_t widest = std::max(metrics.maxWidth(), 1);
  for (const SOverlayLayout::Text& text : layout.m_texts) {
    const QPoint& pos = text.m_pos;
    const int64_t width = dots ? 1 : widest * text.m_text.size();
    const int64_t height = dots ? 1 : metrics.lineSpacing();
    if (pos.x() > area.right() || pos.x() + width <= area.left() ||
        pos.y() > area.bottom() || pos.y() + height <= area.top()) {
      continue;
    }
    painter.setPen(OverlayColour(text.m_ink));
    if (dots) {
      painter.drawPoint(pos);
    } else {
      painter.drawText(pos.x(), ToPixel(int64_t{pos.y()} + ascent),
                       text.m_text);
    }
  }
  painter.restore();
}
