// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures for a reviewer, written to the build directory's "screenshots"
// folder: the main dialog and its small dialogs, the graphic
// display of the bundled example (normal, mirrored, with "Show table" on),
// a large drawing fitted and zoomed, and tables with texts in no row or a
// text that lost its cell.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "GuiTestFiles.h"
#include "Screenshots.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "desktop/AboutDialog.h"
#include "desktop/ExportOptionsDialog.h"
#include "desktop/HelpWindow.h"
#include "desktop/MainDialog.h"
#include "desktop/OrbDrawing.h"
#include "desktop/OrbGraphic.h"
#include "desktop/TableOverlay.h"
#include "desktop/WarningDialog.h"
#include "input/Orb.h"

namespace {

// Shows `widget`, checks that every child fits its size hint (no clipped
// text), and saves its picture as `name`.png.
void Shoot(QWidget& widget, const char* name) {
  SaveScreenshot(widget, name, true);
  for (QWidget* child : widget.findChildren<QWidget*>()) {
    // Qt sizes the buttons inside line edits itself.
    if (!child->isVisible() || child->isWindow() ||
        child->inherits("QLineEditIconButton")) {
      continue;
    }
    const QSize hint = child->minimumSizeHint();
    if (!hint.isValid()) continue;
    EXPECT_GE(child->width(), hint.width())
        << name << ": " << child->metaObject()->className() << " "
        << child->objectName().toStdString();
  }
  widget.hide();
}

TEST(ScreenshotTest, MainDialogAndItsDialogs) {
  CScriptedPrompts prompts;
  CMainDialog dialog(prompts, "/opt/kelconv/DISCARD.TXT");
  dialog.SetFields({"/home/detailer/jobs/2291/*.orb",
                    "/home/detailer/jobs/2291/2291.kel",
                    "/home/detailer/configs/standard.cfg", false, false});
  Shoot(dialog, "main-dialog");

  CWarningDialog warning(&dialog);
  Shoot(warning, "warning");
  CExportOptionsDialog options(&dialog);
  Shoot(options, "export-options");
  CAboutDialog about(&dialog);
  Shoot(about, "about");
  CHelpWindow help(prompts, "/opt/kelconv/DISCARD.TXT", &dialog);
  Shoot(help, "help");
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
  COrb texts;
  ASSERT_EQ(texts.ReadOrbFile(dir.Write("large.orb", drawing), false, false,
                              nullptr),
            0);
  COrbGraphic window;
  window.SetDocument(&texts);
  window.resize(720, 420);
  SaveScreenshot(window, "graphic-large-fit", true);
  // Zoomed in around a row in the middle of the window.
  const QRect area = window.DrawingArea();
  const QPointF at(area.width() * 0.3,
                   area.top() + (area.height() * 0.9) * 0.5);
  const int64_t pitch = TypicalLinePitch(texts.m_texts);
  EXPECT_TRUE(TextsAsDots(texts.m_texts, ZoomedPicture(area, {}), pitch));
  window.ZoomAt(at, 5000.0);
  SaveScreenshot(window, "graphic-large-zoomed");
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

// The bill of material of the test configuration, jittered like a real
// drawing, under a title and a note, with an empty text in its last row.
const char* const kUnplacedDrawing =
    "(5 120 0),BILL OF MATERIAL - JOB 2291\r\n"
    "(5 112 0),NOTE: ALL BOLTS 3/4 A325 U.N.O.\r\n"
    "(5 100 0),MARK\r\n(15 100.1 0),QTY\r\n(25 99.9 0),DESCRIPTION\r\n"
    "(45 100 0),LENGTH\r\n"
    "(5.1 92 0),B1\r\n(15 92.2 0),2\r\n(25.2 91.9 0),W8X31\r\n"
    "(45 92.1 0),12'-6\r\n"
    "(5 84.1 0),B2\r\n(15.1 83.8 0),1\r\n(25 84 0),W12X26\r\n"
    "(45.2 84 0),20'\r\n"
    "(4.9 76 0),C1\r\n(15 76.1 0),4\r\n(25.1 75.9 0),L4X4X1/2\r\n"
    "(45 76 0),\r\n";

// Rows drawn exactly level; a remark written into the description column
// of B1 takes the cell of W8X31.
const char* const kLostCellDrawing =
    "(5 100 0),MARK\r\n(15 100 0),QTY\r\n(25 100 0),DESCRIPTION\r\n"
    "(45 100 0),LENGTH\r\n"
    "(5 92 0),B1\r\n(15 92 0),2\r\n(25 92 0),W8X31\r\n(33 92 0),GALV\r\n"
    "(45 92 0),12'-6\r\n"
    "(5 84 0),B2\r\n(15 84 0),1\r\n(25 84 0),W12X26\r\n(45 84 0),20'\r\n";

// Shows `input` as Display does, with "Show table" on when a `config` is
// given, zoomed `zoom` times around (200, 150), and saves it.
void ShootDisplay(const char* name, const std::string& input,
                  const std::string& config, bool invertX, bool invertY,
                  QSize size = {720, 420}, double zoom = 1) {
  COrb displayed;
  ASSERT_EQ(displayed.ReadOrbFile(input, invertX, invertY, nullptr), 0);
  COrbGraphic window;
  window.SetDocument(&displayed);
  if (!config.empty()) {
    window.SetTableSource([&] { return BuildTableOverlay(input, config, ""); },
                          invertX, invertY);
    window.SetShowTable(true);
    ASSERT_NE(window.Table(), nullptr);
    EXPECT_EQ(window.Table()->m_status, OverlayStatus::kApplies)
        << window.StatusLine()->text().toStdString();
  }
  window.resize(size);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.ZoomAt(QPointF(200, 150), zoom);
  SaveScreenshot(window, name);
}

// The preview of the example and its details are shot where Preview opens
// them (MainDialogTest).
TEST(ScreenshotTest, GraphicDisplay) {
  const std::string orb = KELCONV_EXAMPLES "/sample.orb";
  const std::string cfg = KELCONV_EXAMPLES "/sample.cfg";
  ShootDisplay("graphic", orb, "", false, false);
  ShootDisplay("graphic-invert-x", orb, "", true, false);
  ShootDisplay("graphic-invert-y", orb, "", false, true);
  ShootDisplay("graphic-table", orb, cfg, false, false, {820, 620});
  ShootDisplay("graphic-table-invert-x", orb, cfg, true, false, {820, 620});
  ShootDisplay("graphic-table-zoomed", orb, cfg, false, false, {820, 620}, 2.5);
  TempDir dir;
  const std::string config = WriteTestConfiguration(dir);
  ShootDisplay("graphic-table-unplaced",
               dir.Write("unplaced.orb", kUnplacedDrawing), config, false,
               false, {640, 360});
  ShootDisplay("graphic-table-lost-cell",
               dir.Write("lost.orb", kLostCellDrawing), config, false, false,
               {640, 300});
}

}  // namespace
