// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// Where a top-level window of client size `size` goes, as its client
// rectangle: centred on `ownerFrame`, made smaller where it would not fit
// in `available` (the screen less its panels) with its frame (`frame`: the
// title bar and borders around the client area), then moved into
// `available` as a whole.
QRect CentredPlacement(QSize size, const QRect& ownerFrame,
                       const QRect& available, const QMargins& frame);

// Gives `window` (a top-level window, before it is shown) client size
// `size` and places it as CentredPlacement says, on the screen of `owner`
// and centred on it; with no owner, on the primary screen. The owner's own
// frame tells the frame's size.
void PlaceCentredOn(QWidget& window, const QWidget* owner, QSize size);
