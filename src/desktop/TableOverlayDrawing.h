// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drawing the rebuilt table (TableOverlay.h) over the graphic display's
// texts: row bands behind them, header lines labelled with their column
// type, and every text of the job's reading again in the colour of where it
// ended.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "input/Orb.h"
#include "desktop/OrbDrawing.h"

class QFontMetrics;
class QPainter;
struct CTableOverlay;

// The inks of the picture.
enum class OverlayInk {
  kCell,       // a text that holds a cell
  kUnplaced,   // a text in no row, or one that lost its cell
  kHeader,     // a matched header, its line and label
  kDisplayed,  // the display's own texts under the table
};
QColor OverlayColour(OverlayInk ink);
// The fill of a row band of shade `shade`: two light colours in turn.
QColor RowBandColour(size_t shade);

// Where everything of the table goes in the picture.
struct SOverlayLayout {
  struct Text {
    QPoint m_pos;  // top-left corner, as DrawOrbTexts places a text
    QString m_text;
    OverlayInk m_ink = OverlayInk::kCell;
  };
  struct Band {
    int m_top = 0;     // first pixel row
    int m_bottom = 0;  // one past the last pixel row
    size_t m_nRow = 0;
    size_t m_nShade = 0;  // neighbouring bands differ (see RowBandColour)
  };
  struct Header {
    int m_x = 0;  // the line
    QRect m_label;
    QString m_text;
  };
  // Where the display's texts are drawn: the area less the lanes of header
  // labels at its top.
  QRect m_textArea;
  // The picture of m_textArea in the view laid out (ZoomedPicture).
  QRect m_picture;
  std::vector<Text> m_texts;
  std::vector<Band> m_bands;  // one per final row, in row order
  std::vector<Header> m_headers;
};

// Lays `overlay` out in `area` for a display of `displayed` (the texts of a
// reading of the same file with `invertX` / `invertY`): positions are turned
// the way that reading turned them and mapped as the display maps its own
// texts in m_textArea, magnified as `view` says. Header labels get up to 3
// lanes at the top of `area`, so that they do not overlap; bands reach
// halfway to the neighbouring rows and are centred on the texts of their
// row (a text hangs below its position by one line of `metrics`). Nothing
// is laid out unless the overlay's status is kApplies (m_textArea is then
// `area`).
SOverlayLayout LayoutTableOverlay(const CTableOverlay& overlay,
                                  const std::vector<COrbText>& displayed,
                                  bool invertX, bool invertY, const QRect& area,
                                  const QFontMetrics& metrics,
                                  const SPictureView& view = {});

// Paints the row bands (before the display's texts).
void DrawTableBands(QPainter& painter, const SOverlayLayout& layout);
// Paints the header lines and labels and the texts in their inks (after the
// display's texts), in the painter's font, or the texts as dots when
// `dots`. Texts outside m_textArea are skipped.
void DrawTableMarks(QPainter& painter, const SOverlayLayout& layout,
                    bool dots = false);
