// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbGraphic.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>
#include <functional>

#include "input/Orb.h"

namespace {

// The wheel zooms around the pointer, Ctrl+plus/minus by two around the
// middle, within 1 and kMaxZoom, the squeezed axis (down, for a table)
// first; dragging moves the picture; Home and a double-click fit it again.
TEST(OrbGraphicTest, ZoomPanAndFit) {
  COrb orb;
  for (int i = 0; i < 30; ++i) orb.m_texts.push_back({5000, -1000 * i, "M"});
  orb.m_texts.push_back({25000, 0, "W12X26"});
  COrbGraphic window;
  window.SetDocument(&orb);
  window.resize(600, 400);
  window.show();
  const QPointF at(150, 90);
  const QPointF middle = QRectF(window.DrawingArea()).center();
  const auto wheel = [&](int delta) {
    QWheelEvent event(at, window.mapToGlobal(at), {}, QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &event);
  };
  // The point of the fit picture under `p`.
  const auto pictureAt = [&](QPointF p) {
    const SPictureView& v = window.View();
    p -= QPointF(window.DrawingArea().topLeft()) + v.m_offset;
    return QPointF(p.x() / v.m_zoomX, p.y() / v.m_zoomY);
  };
  const struct Step {
    std::function<void()> act;
    double zoom;
    QPointF fixed;  // stays over the same point of the picture
  } steps[] = {
      {[&] { wheel(120); }, 1.25, at},
      {[&] { wheel(480); }, 3.0517578125, at},
      {[&] { QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier); },
       6.103515625, middle},
      {[&] { QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier); },
       3.0517578125, middle},
      {[&] { QTest::keyClick(&window, Qt::Key_Home); }, 1, {}},
      {[&] { wheel(-120); }, 1, {}},
      {[&] { wheel(120 * 200); }, kMaxZoom, at},
      {[&] { QTest::mouseDClick(&window, Qt::LeftButton, {}, at.toPoint()); },
       1, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.zoom);
    const QPointF before = pictureAt(step.fixed);
    step.act();
    EXPECT_DOUBLE_EQ(window.Zoom(), step.zoom);
    EXPECT_DOUBLE_EQ(window.View().m_zoomY, step.zoom);
    EXPECT_LE(window.View().m_zoomX, step.zoom);
    if (step.zoom == 1) {
      EXPECT_EQ(window.View().m_offset, QPointF());
    } else {
      EXPECT_NEAR((pictureAt(step.fixed) - before).manhattanLength(), 0, 1e-6);
    }
  }
  QTest::mousePress(&window, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(&window, QPoint(130, 80));
  QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(130, 80));
  EXPECT_EQ(window.View().m_offset, QPointF(30, -20));
}

}  // namespace
