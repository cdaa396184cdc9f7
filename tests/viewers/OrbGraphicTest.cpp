#include "viewers/OrbGraphic.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "input/Orb.h"

namespace {

// Pixels of `area` in `image` that differ from the background.
int InkIn(const QImage& image, const QRect& area) {
  const QRgb background = image.pixel(image.width() / 2, image.height() / 2);
  int ink = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      if (image.pixel(x, y) != background) ++ink;
    }
  }
  return ink;
}

TEST(OrbGraphicTest, PaintsTextsWhereTheyStandAndRescales) {
  COrb orb;
  orb.m_texts = {{100, 100, "HIGH"}, {0, 0, "LOW"}};
  COrbGraphic window;
  EXPECT_EQ(window.windowTitle(), "Orb File");
  EXPECT_TRUE(window.isHidden());
  window.SetDocument(&orb);

  for (const QSize size : {QSize(400, 300), QSize(800, 600)}) {
    SCOPED_TRACE(size.width());
    window.resize(size);
    const QImage image = window.grab().toImage();
    const int w = size.width() * 9 / 10;
    const int h = size.height();
    // "HIGH" starts at (W, 0), "LOW" at (0, 90% of the height).
    EXPECT_GT(InkIn(image, QRect(w, 0, 40, 20)), 0);
    EXPECT_GT(InkIn(image, QRect(0, h * 9 / 10, 40, h / 10)), 0);
    EXPECT_EQ(InkIn(image, QRect(w / 4, h / 4, w / 2, h / 2)), 0);
    EXPECT_EQ(InkIn(image, QRect(0, 0, w - 1, h / 2)), 0);
  }

  // Without texts, or without a document, nothing is painted.
  COrb empty;
  window.SetDocument(&empty);
  QImage image = window.grab().toImage();
  EXPECT_EQ(InkIn(image, image.rect()), 0);
  window.SetDocument(nullptr);
  image = window.grab().toImage();
  EXPECT_EQ(InkIn(image, image.rect()), 0);
}

TEST(OrbGraphicTest, ClosingTellsTheOwnerAndDeletesTheWindow) {
  COrb orb;
  QPointer<COrbGraphic> window = new COrbGraphic;
  window->SetDocument(&orb);
  QSignalSpy closed(window.data(), &COrbGraphic::Closed);
  window->show();
  window->close();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(window->Document(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

}  // namespace
