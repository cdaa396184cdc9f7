// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the preview and of the graphic display (normal and mirrored)
// for a reviewer, written to the build directory's "screenshots" folder.
// They show the bundled example.
#include <gtest/gtest.h>

#include <QDir>
#include <QFontMetrics>
#include <QPixmap>
#include <QTest>
#include <filesystem>

#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "desktop/OrbDrawing.h"
#include "input/Orb.h"
#include "desktop/OrbGraphic.h"
#include "desktop/PreviewDialog.h"

namespace {

void Save(QWidget& widget, const char* name) {
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  ASSERT_TRUE(QDir().mkpath(KELCONV_SCREENSHOTS));
  const QString path =
      QStringLiteral(KELCONV_SCREENSHOTS "/%1.png").arg(QLatin1String(name));
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
  widget.hide();
}

TEST(ScreenshotTest, PreviewAndGraphicDisplay) {
  const std::string input = KELCONV_EXAMPLES "/sample.orb";
  const std::string config = KELCONV_EXAMPLES "/sample.cfg";
  if (!std::filesystem::exists(input) || !std::filesystem::exists(config)) {
    GTEST_SKIP() << "the bundled example is missing";
  }
  COrb orb;
  ASSERT_EQ(orb.ReadOrbFile(input, false, false, nullptr), 0);
  COrb* configured = &orb;
  COrb inverted;
  if (orb.ApplyConfiguration(config) == -2) {
    ASSERT_EQ(inverted.ReadOrbFile(input, false, true, nullptr), 0);
    ASSERT_EQ(inverted.ApplyConfiguration(config), 0);
    configured = &inverted;
  }
  CScriptedPrompts prompts;
  CPreviewDialog preview(nullptr, prompts, "", "", "");
  preview.SetDocument(*configured);
  EXPECT_FALSE(preview.TextBytes().empty());
  Save(preview, "preview");

  const struct {
    bool invertX, invertY;
    const char* name;
  } views[] = {{false, false, "graphic"},
               {true, false, "graphic-invert-x"},
               {false, true, "graphic-invert-y"}};
  for (const auto& view : views) {
    COrb texts;
    ASSERT_EQ(texts.ReadOrbFile(input, view.invertX, view.invertY, nullptr), 0);
    COrbGraphic window;
    window.SetDocument(&texts);
    window.resize(720, 420);
    Save(window, view.name);
  }
}

// A drawing of 10 MB: a table of 102,000 rows. It fits the window as a
// column of dots per column of the table; zoomed in around one row, the
// rows can be read.
TEST(ScreenshotTest, LargeDrawingFittedAndZoomed) {
  TempDir dir;
  std::string drawing =
      "(5 1000000 0),MARK\r\n(15 1000000 0),QTY\r\n(25 1000000 0),"
      "DESCRIPTION\r\n(45 1000000 0),LENGTH\r\n";
  const char* const materials[] = {"W12X26", "L4X4X1/2", "PL1/2X12",
                                   "HSS6X6X3/8"};
  for (int i = 0; i < 102000; ++i) {
    const std::string y = std::to_string(999991 - 9 * i) + ".000";
    drawing += "(5 " + y + " 0),B" + std::to_string(i + 1) + "\r\n(15 " + y +
               " 0)," + std::to_string(1 + i % 7) + "\r\n(25 " + y + " 0)," +
               materials[i % 4] + "\r\n(45 " + y + " 0)," +
               std::to_string(4 + i % 30) + "'-" + std::to_string(i % 12) +
               "\r\n";
  }
  EXPECT_GT(drawing.size(), 10000000u);
  COrb texts;
  ASSERT_EQ(texts.ReadOrbFile(dir.Write("large.orb", drawing), false, false,
                              nullptr),
            0);
  COrbGraphic window;
  window.setWindowTitle("Orb File - large.orb");
  window.SetDocument(&texts);
  window.resize(720, 420);
  Save(window, "graphic-large-fit");
  window.show();
  // Zoomed in around a row in the middle of the window.
  const QRect area = window.DrawingArea();
  const QPointF at(area.width() * 0.3,
                   area.top() + (area.height() * 0.9) * 0.5);
  const int64_t pitch = TypicalLinePitch(texts.m_texts);
  EXPECT_TRUE(TextsAsDots(texts.m_texts, ZoomedPicture(area, {}), pitch));
  window.ZoomAt(at, 5000.0);
  Save(window, "graphic-large-zoomed");
  // The rows stand a line apart, the columns stay in the window.
  const QRect picture = ZoomedPicture(area, window.View());
  EXPECT_FALSE(TextsAsDots(texts.m_texts, picture, pitch));
  const CPictureMapping mapping(texts.m_texts, picture.width(),
                                picture.height());
  EXPECT_GE(mapping.Y(500000000) - mapping.Y(500009000),
            QFontMetrics(window.font()).lineSpacing());
  for (const int32_t x : {5000, 45000}) {
    EXPECT_TRUE(area.contains(picture.left() + mapping.X(x), area.center().y()));
  }
}

}  // namespace
