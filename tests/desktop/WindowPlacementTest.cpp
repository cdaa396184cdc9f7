// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/WindowPlacement.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A window goes centred on its owner, shrunk to fit the screen with its
// frame, and moved onto the screen as a whole.
TEST(WindowPlacementTest, CentredOnTheOwnerAndWhollyOnTheScreen) {
  // Size, owner's frame, screen, frame margins, and where the window goes;
  // the third owner stands near the corner of a second screen.
  const std::tuple<QSize, QRect, QRect, QMargins, QRect> cases[] = {
      {{400, 300}, {700, 400, 200, 100}, {0, 0, 1920, 1080}, {0, 30, 0, 0},
       {599, 314, 400, 300}},
      {{3000, 2000}, {700, 400, 200, 100}, {0, 0, 1920, 1080}, {4, 30, 4, 4},
       {4, 30, 1912, 1046}},
      {{800, 600}, {3000, 900, 200, 100}, {1920, 0, 1280, 1024}, {},
       {2400, 424, 800, 600}},
      {{800, 600}, {-500, -500, 100, 100}, {0, 0, 1280, 1024}, {},
       {0, 0, 800, 600}}};
  for (const auto& [size, owner, screen, frame, expected] : cases) {
    EXPECT_EQ(CentredPlacement(size, owner, screen, frame), expected);
  }
}

}  // namespace
