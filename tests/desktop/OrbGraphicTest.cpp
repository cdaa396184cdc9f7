// SPDX-License-Identifier: GPL-3.0-or-later
// The graphic display's zoom, pan and fit, and what it draws of a drawing
// too dense to read at once.
#include "desktop/OrbGraphic.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <string>

#include "desktop/OrbDrawing.h"
#include "input/Orb.h"

namespace {

class OrbGraphicTest : public testing::Test {
 protected:
  // Shows `rows` rows of a mark and a description, 1 unit apart.
  void Show(int rows) {
    for (int i = 0; i < rows; ++i) {
      const int32_t y = -1000 * i;
      m_orb.m_texts.push_back({5000, y, "M" + std::to_string(i)});
      m_orb.m_texts.push_back({25000, y, "W12X26"});
    }
    m_window.SetDocument(&m_orb);
    m_window.resize(600, 400);
    m_window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
  }
  // The point of the fit picture under `at`.
  QPointF PictureAt(QPointF at) const {
    const SPictureView& view = m_window.View();
    const QPointF from =
        at - QPointF(m_window.DrawingArea().topLeft()) - view.m_offset;
    return QPointF(from.x() / view.m_zoomX, from.y() / view.m_zoomY);
  }
  void Wheel(QPointF at, int delta) {
    QWheelEvent wheel(at, m_window.mapToGlobal(at), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&m_window, &wheel);
  }

  COrb m_orb;
  COrbGraphic m_window;
};

// The wheel zooms around the pointer, Ctrl+plus/minus by two around the
// middle, within 1 and kMaxZoom; dragging moves the picture; Home and a
// double-click fit it again.
TEST_F(OrbGraphicTest, ZoomPanAndFit) {
  Show(30);
  const QPointF at(150, 90);
  const QPointF middle = QRectF(m_window.DrawingArea()).center();
  const struct Step {
    const char* what;
    std::function<void()> act;
    double zoom;
    QPointF fixed;  // a point that stays over the same part of the picture
  } steps[] = {
      {"wheel in", [&] { Wheel(at, 120); }, 1.25, at},
      {"wheel in 4", [&] { Wheel(at, 480); }, 1.25 * 1.25 * 1.25 * 1.25 * 1.25,
       at},
      {"ctrl+plus",
       [&] { QTest::keyClick(&m_window, Qt::Key_Plus, Qt::ControlModifier); },
       2 * 3.0517578125, middle},
      {"ctrl+minus",
       [&] { QTest::keyClick(&m_window, Qt::Key_Minus, Qt::ControlModifier); },
       3.0517578125, middle},
      {"home", [&] { QTest::keyClick(&m_window, Qt::Key_Home); }, 1, {}},
      {"wheel out at fit", [&] { Wheel(at, -120); }, 1, {}},
      {"far in", [&] { Wheel(at, 120 * 200); }, kMaxZoom, at},
      {"double-click",
       [&] { QTest::mouseDClick(&m_window, Qt::LeftButton, {}, at.toPoint()); },
       1, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const QPointF before = PictureAt(step.fixed);
    step.act();
    EXPECT_DOUBLE_EQ(m_window.Zoom(), step.zoom);
    // The table is squeezed more down than across: rows come apart first.
    EXPECT_DOUBLE_EQ(m_window.View().m_zoomY, step.zoom);
    EXPECT_LE(m_window.View().m_zoomX, step.zoom);
    if (step.zoom == 1) {
      EXPECT_EQ(m_window.View().m_offset, QPointF());
    } else {
      EXPECT_NEAR(PictureAt(step.fixed).x(), before.x(), 1e-6);
      EXPECT_NEAR(PictureAt(step.fixed).y(), before.y(), 1e-6);
    }
  }
  QTest::mousePress(&m_window, Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(&m_window, QPoint(130, 80));
  QTest::mouseRelease(&m_window, Qt::LeftButton, {}, QPoint(130, 80));
  EXPECT_EQ(m_window.View().m_offset, QPointF(30, -20));
}

// A drawing of 20,000 rows is a column of dots when it fits the window;
// zoomed in around a row, its rows stand a line of text apart, its columns
// stay in the window, and it is drawn as texts.
TEST_F(OrbGraphicTest, ZoomedIntoARowOfADenseDrawing) {
  Show(20000);
  const QRect area = m_window.DrawingArea();
  EXPECT_TRUE(TextsAsDots(m_orb.m_texts, ZoomedPicture(area, {}),
                          TypicalLinePitch(m_orb.m_texts)));
  Wheel(QPointF(100, 150), 120 * 32);
  const QRect picture = ZoomedPicture(area, m_window.View());
  EXPECT_FALSE(TextsAsDots(m_orb.m_texts, picture, 1000));
  const CPictureMapping mapping(m_orb.m_texts, picture.width(),
                                picture.height());
  const int rowHeight = QFontMetrics(m_window.font()).lineSpacing();
  EXPECT_GE(mapping.Y(-1000 * 10000) - mapping.Y(-1000 * 9999), rowHeight);
  for (const int32_t x : {5000, 25000}) {
    EXPECT_TRUE(area.contains(picture.left() + mapping.X(x), area.center().y()));
  }
}

}  // namespace
