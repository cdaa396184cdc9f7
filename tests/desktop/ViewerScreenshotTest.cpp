// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the preview and of the graphic display (normal and mirrored)
// for a reviewer, written to the build directory's "screenshots" folder.
// They show the bundled example.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <filesystem>

#include "ScriptedPrompts.h"
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

}  // namespace
