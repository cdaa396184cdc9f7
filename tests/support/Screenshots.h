// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures for a reviewer, written to the build directory's "screenshots"
// folder; a test fails only when a picture cannot be saved.

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>

// Shows `widget` (unless `keepShown`, hides it again after) and saves its
// picture as `name`.png.
inline void SaveScreenshot(QWidget& widget, const QString& name, bool keepShown = false) {
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  ASSERT_TRUE(QDir().mkpath(KELCONV_SCREENSHOTS));
  const QString path = QStringLiteral(KELCONV_SCREENSHOTS "/%1.png").arg(name);
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
  if (!keepShown) widget.hide();
}
