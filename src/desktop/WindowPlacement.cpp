// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect CentredPlacement(QSize size, const QRect& ownerFrame,
                       const QRect& available, const QMargins& frame) {
  const int frameWidth = frame.left() + frame.right();
  const int frameHeight = frame.top() + frame.bottom();
  const QSize room(std::max(available.width() - frameWidth, 1),
                   std::max(available.height() - frameHeight, 1));
  const QSize client = size.boundedTo(room);
  const QSize outer(client.width() + frameWidth, client.height() + frameHeight);
  QPoint corner = ownerFrame.center() -
                  QPoint(outer.width() / 2, outer.height() / 2);
  corner.setX(std::clamp(corner.x(), available.left(),
                         std::max(available.left(),
                                  available.left() + available.width() -
                                      outer.width())));
  corner.setY(std::clamp(corner.y(), available.top(),
                         std::max(available.top(),
                                  available.top() + available.height() -
                                      outer.height())));
  return QRect(corner + QPoint(frame.left(), frame.top()), client);
}

void PlaceCentredOn(QWidget& window, const QWidget* owner, QSize size) {
  const QScreen* screen = owner != nullptr ? owner->screen()
                                           : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    window.resize(size);
    return;
  }
  const QRect available = screen->availableGeometry();
  QRect ownerFrame = available;
  QMargins frame;
  if (owner != nullptr && owner->isVisible()) {
    ownerFrame = owner->frameGeometry();
    const QRect client = owner->geometry();
    frame = QMargins(client.left() - ownerFrame.left(),
                     client.top() - ownerFrame.top(),
                     ownerFrame.right() - client.right(),
                     ownerFrame.bottom() - client.bottom());
  }
  window.setGeometry(CentredPlacement(size, ownerFrame, available, frame));
}
