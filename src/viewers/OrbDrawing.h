#pragma once

#include <string>
#include <vector>

#include "input/Orb.h"

class QPainter;
class QRect;

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

// Paints the texts of `orb` into `rect` of `painter`, each with the top of
// its first line at its placement, in the painter's pen and font. Texts are
// single-byte (Latin-1) strings.
void DrawOrbTexts(QPainter& painter, const QRect& rect, const COrb& orb);
