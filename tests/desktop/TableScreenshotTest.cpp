// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the graphic display with "Show table" on, for a reviewer,
// written to the build directory's "screenshots" folder: the bundled
// example (also mirrored), a table with texts in no row, and one where a
// text lost its cell.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <filesystem>

#include "GuiTestFiles.h"
#include "TempDir.h"
#include "input/Orb.h"
#include "desktop/OrbGraphic.h"
#include "desktop/TableOverlay.h"

namespace {

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

// Shows `input` as Display does, with "Show table" on, zoomed `zoom` times
// around (200, 150), and saves it.
void Shoot(const std::string& input, const std::string& config, bool invertX,
           const char* name, int width, int height, double zoom = 1) {
  COrb displayed;
  ASSERT_EQ(displayed.ReadOrbFile(input, invertX, false, nullptr), 0);
  COrbGraphic window;
  window.SetDocument(&displayed);
  window.SetTableSource([&] { return BuildTableOverlay(input, config, ""); },
                        invertX, false);
  window.SetShowTable(true);
  ASSERT_NE(window.Table(), nullptr);
  EXPECT_EQ(window.Table()->m_status, OverlayStatus::kApplies)
      << window.StatusLine()->text().toStdString();
  window.resize(width, height);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.ZoomAt(QPointF(200, 150), zoom);
  ASSERT_TRUE(QDir().mkpath(KELCONV_SCREENSHOTS));
  const QString path =
      QStringLiteral(KELCONV_SCREENSHOTS "/%1.png").arg(QLatin1String(name));
  EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

TEST(TableScreenshotTest, GraphicDisplayWithTheTable) {
  const std::string input = KELCONV_EXAMPLES "/sample.orb";
  const std::string config = KELCONV_EXAMPLES "/sample.cfg";
  if (std::filesystem::exists(input) && std::filesystem::exists(config)) {
    Shoot(input, config, false, "graphic-table", 820, 620);
    Shoot(input, config, true, "graphic-table-invert-x", 820, 620);
    Shoot(input, config, false, "graphic-table-zoomed", 820, 620, 2.5);
  } else {
    ADD_FAILURE() << "the bundled example is missing";
  }
  TempDir dir;
  const std::string testConfig = WriteTestConfiguration(dir);
  Shoot(dir.Write("unplaced.orb", kUnplacedDrawing), testConfig, false,
        "graphic-table-unplaced", 640, 360);
  Shoot(dir.Write("lost.orb", kLostCellDrawing), testConfig, false,
        "graphic-table-lost-cell", 640, 300);
}

}  // namespace
