// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main dialog and its small dialogs for a reviewer, written
// to the build directory's "screenshots" folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

#include "ScriptedPrompts.h"
#include "desktop/AboutDialog.h"
#include "desktop/ExportOptionsDialog.h"
#include "desktop/HelpWindow.h"
#include "desktop/MainDialog.h"
#include "desktop/WarningDialog.h"

namespace {

// Shows `widget`, checks that every child fits its size hint (no clipped
// text), and saves its picture as `name`.png.
void Shoot(QWidget& widget, const char* name) {
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
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
  ASSERT_TRUE(QDir().mkpath(KELCONV_SCREENSHOTS));
  const QString path =
      QStringLiteral(KELCONV_SCREENSHOTS "/%1.png").arg(QLatin1String(name));
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
  widget.hide();
}

TEST(ScreenshotTest, MainDialogAndItsDialogs) {
  CScriptedPrompts prompts;
  CMainDialog dialog(prompts, "/opt/kelconv/DISCARD.TXT");
  dialog.findChild<QLineEdit*>(MainDialogControl::kInputFile)
      ->setText("/home/detailer/jobs/2291/*.orb");
  dialog.findChild<QLineEdit*>(MainDialogControl::kOutputFile)
      ->setText("/home/detailer/jobs/2291/2291.kel");
  dialog.SetConfigFile("/home/detailer/configs/standard.cfg");
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

}  // namespace
