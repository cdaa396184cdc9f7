// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap BeamPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x2f, 0x5d, 0x8a));
  painter.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
  // Flanges and web of the section.
  QPainterPath beam;
  beam.addRect(QRectF(s * 0.18, s * 0.16, s * 0.64, s * 0.14));
  beam.addRect(QRectF(s * 0.43, s * 0.30, s * 0.14, s * 0.40));
  beam.addRect(QRectF(s * 0.18, s * 0.70, s * 0.64, s * 0.14));
  painter.setBrush(QColor(0xe8, 0xec, 0xf0));
  painter.drawPath(beam.simplified());
  return pixmap;
}

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) icon.addPixmap(BeamPixmap(size));
  return icon;
}
