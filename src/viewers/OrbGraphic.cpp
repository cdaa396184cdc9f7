#include "viewers/OrbGraphic.h"

#include <QCloseEvent>
#include <QPainter>

#include "input/Orb.h"
#include "viewers/OrbDrawing.h"

COrbGraphic::COrbGraphic(QWidget* owner) : QWidget(owner, Qt::Window) {
  setObjectName(QStringLiteral("COrbGraphic"));
  setWindowTitle(QStringLiteral("Orb File"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(800, 600);
}

void COrbGraphic::SetDocument(const COrb* orb) {
  m_pOrb = orb;
  update();
}

void COrbGraphic::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBackgroundMode(Qt::TransparentMode);
  if (m_pOrb != nullptr) DrawOrbTexts(painter, rect(), *m_pOrb);
}

void COrbGraphic::closeEvent(QCloseEvent* event) {
  m_pOrb = nullptr;
  emit Closed();
  event->accept();
}
