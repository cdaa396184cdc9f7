// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

#include "input/Orb.h"

class QPainter;

// Where one text of a document is drawn: its top-left corner relative to
// the drawing rectangle, and the text shown ("*" for an empty text).
struct STextPlacement {
  int m_x = 0;
  int m_y = 0;
  std::string m_text;
};

// Places every text of `texts`, in their order, in a rectangle of `width`
// by `height` pixels. With W = width * 0.9 and offsetY = height * 0.1 (both
// truncated), the leftmost text starts at x 0 and the rightmost at W; the
// highest text starts at y 0 and the lowest at height - offsetY (larger
// drawing y is higher up). Every product is taken in 64 bits and every
// division truncates toward zero, each of the two terms of a coordinate
// divided on its own. When all texts share one x (or one y) value, they all
// start at x 0 (or y 0). Negative sizes count as 0.
std::vector<STextPlacement> PlaceTexts(const std::vector<COrbText>& texts,
                                       int width, int height);

// The mapping of PlaceTexts from positions of a document to its picture, with
// the extents of the displayed texts fixed, so that positions of another
// reading of the same file land where the display put them.
class CPictureMapping {
 public:
  // `texts`: the displayed document's texts; `width` by `height`: the
  // picture (negative sizes count as 0).
  CPictureMapping(const std::vector<COrbText>& texts, int width, int height);

  // Offsets in the picture of a position of the displayed document: for a
  // text of `texts`, what PlaceTexts gives it. Positions beyond the 32-bit
  // range are clamped to it first.
  int X(int64_t x) const;
  int Y(int64_t y) const;
  // How many pixels apart two positions `distance` apart are drawn across
  // and down (0 when all texts share one x, or one y).
  double PixelsX(int64_t distance) const;
  double PixelsY(int64_t distance) const;

 private:
  int64_t m_w = 0;
  int64_t m_h = 0;
  int64_t m_offsetY = 0;
  int64_t m_minX = 0;
  int64_t m_spanX = 0;
  int64_t m_minY = 0;
  int64_t m_maxY = 0;
  int64_t m_spanY = 0;
};

// The distance between neighbouring lines of texts that most lines of a
// drawing keep at least: of the gaps between the distinct heights of
// `texts`, the one at nine tenths in increasing order, so that a few texts
// far off (a title) or texts a little off their row's line do not count.
// 0 when all texts share one height.
int64_t TypicalLinePitch(const std::vector<COrbText>& texts);

// A magnified view of a picture: the picture grows `m_zoomX` times across
// and `m_zoomY` times down (1 and 1 is the picture as PlaceTexts makes it,
// "Fit") and its top-left corner stands `m_offset` pixels from the drawing
// area's.
struct SPictureView {
  double m_zoomX = 1.0;
  double m_zoomY = 1.0;
  QPointF m_offset;
};
inline constexpr double kMaxZoom = 65536.0;

// Sets the magnifications of `view` for zoom level `zoom` (1 to kMaxZoom)
// of `texts` in an area of `size`. The fit picture stretches each axis on
// its own, so a tall table is squeezed far more down than across: the axis
// drawn with fewer pixels per drawing unit grows `zoom` times, the other
// only once the two reach one scale (from there on both grow alike). So
// zooming into a tall table moves its rows apart and keeps its columns in
// the window. When all texts share one x or one y, both axes grow `zoom`
// times. The offset is left alone.
void SetZoomLevel(SPictureView& view, double zoom,
                  const std::vector<COrbText>& texts, QSize size);
// The rectangle the picture of `area` fills in `view`; each side at most
// 2^30 pixels, the offset within as much.
QRect ZoomedPicture(const QRect& area, const SPictureView& view);

// Paints the texts of `orb` as PlaceTexts places them in `picture`, each
// with the top of its first line at its placement, in the painter's pen and
// font. Texts that cannot reach `visible` are skipped. When lines
// `linePitch` apart (TypicalLinePitch) come closer than a pixel, each text
// is a dot at its placement instead. Texts are single-byte (Latin-1)
// strings.
void DrawOrbTexts(QPainter& painter, const QRect& picture, const COrb& orb,
                  const QRect& visible, int64_t linePitch);
// Whether DrawOrbTexts draws the texts of `texts` in `picture` as dots.
bool TextsAsDots(const std::vector<COrbText>& texts, const QRect& picture,
                 int64_t linePitch);
