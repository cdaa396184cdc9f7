// Pictures of the preview and of the graphic display (normal and mirrored)
// for a reviewer, written to the build directory's "screenshots" folder.
// They show the bundled example when it is there, else a drawing made here.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <filesystem>

#include "GuiTestFiles.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "input/Orb.h"
#include "viewers/OrbGraphic.h"
#include "viewers/PreviewDialog.h"

namespace {

// A bill of material with a title block, headers and a dozen items.
std::string MadeDrawing() {
  std::string drawing =
      "(5 400 0),BILL OF MATERIAL - JOB 2291\r\n"
      "(5 380 0),MARK\r\n(60 380 0),QTY\r\n(110 380 0),DESCRIPTION\r\n"
      "(260 380 0),LENGTH\r\n";
  const char* const items[][4] = {
      {"B1", "2", "W8X31", "12'-6"},      {"B2", "1", "W12X26", "20'"},
      {"C1", "4", "HSS6X6X1/4", "14'-2"}, {"A1", "8", "L4X4X1/2", "0'-8"},
      {"P1", "6", "PL1/2X12", "1'-0"},    {"B3", "2", "C10X15.3", "9'-4"},
      {"B4", "3", "W10X22", "16'-9"},     {"R1", "10", "RD 3/4", "3'-0"},
  };
  int y = 360;
  for (const auto& item : items) {
    const std::string at = " " + std::to_string(y) + " 0),";
    drawing += "(5" + at + item[0] + "\r\n(60" + at + item[1] + "\r\n(110" +
               at + item[2] + "\r\n(260" + at + item[3] + "\r\n";
    y -= 20;
  }
  return drawing;
}

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
  TempDir dir;
  std::string input = KELCONV_EXAMPLES "/sample.orb";
  std::string config = KELCONV_EXAMPLES "/sample.cfg";
  if (!std::filesystem::exists(input) || !std::filesystem::exists(config)) {
    input = dir.Write("made.orb", MadeDrawing());
    config = WriteTestConfiguration(dir);
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

}  // namespace
