// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/OrbDrawing.h"

#include <gtest/gtest.h>

namespace {

// Texts placed in a rectangle: scaled so the highest text starts at the top
// and the lowest at 90% of the height; empty texts show as "*".
TEST(OrbDrawingTest, ScalesTextsIntoTheRectangle) {
  struct Placed {
    int x, y;
    const char* text;
  };
  // clang-format off
  const struct Case {
    std::vector<COrbText> texts;
    int width, height;
    std::vector<Placed> expected;
  } cases[] = {
      // W = 900, offsetY = 50.
      {{{0, 0, "low"}, {100, 200, ""}, {50, 100, "mid"}}, 1000, 500,
       {{0, 450, "low"}, {900, 0, "*"}, {450, 225, "mid"}}},
      // Each term is divided on its own, truncating toward zero:
      // 3*9/10 + 63/10 = 2 + 6, and -63/10 + 63/10 = 0.
      {{{3, 0, "a"}, {-7, 1, "b"}}, 10, 10, {{8, 9, "a"}, {0, 0, "b"}}},
      // A rectangle with a width of 1 pixel has W = 0.
      {{{1, 1, "a"}, {2, 2, "b"}}, 1, 1, {{0, 1, "a"}, {0, 0, "b"}}},
      // One value on an axis draws at the edge.
      {{{7, 1, "a"}, {7, 2, "b"}}, 100, 100, {{0, 90, "a"}, {0, 0, "b"}}},
      {{{1, 3, "a"}, {2, 3, "b"}}, 100, 100, {{0, 0, "a"}, {90, 0, "b"}}},
      {{}, 640, 480, {}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const std::vector<STextPlacement> placed =
        PlaceTexts(c.texts, c.width, c.height);
    ASSERT_EQ(placed.size(), c.expected.size());
    for (size_t i = 0; i < placed.size(); ++i) {
      EXPECT_EQ(placed[i].m_x, c.expected[i].x) << i;
      EXPECT_EQ(placed[i].m_y, c.expected[i].y) << i;
      EXPECT_EQ(placed[i].m_text, c.expected[i].text) << i;
    }
  }
}

// The line pitch that tells whether texts are drawn as dots.
TEST(OrbDrawingTest, TypicalLinePitch) {
  // Heights, and the pitch: a title far above, or texts a little off their
  // row's line, do not count.
  const std::pair<std::vector<int32_t>, int64_t> cases[] = {
      {{}, 0}, {{70, 70, 70}, 0}, {{100, 90, 80, 70, 60}, 10},
      {{90000, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10}, 10},
      {{100, 101, 90, 91, 80, 81, 70, 71, 60, 61, 50, 51}, 9}};
  for (const auto& [heights, expected] : cases) {
    std::vector<COrbText> texts;
    for (const int32_t y : heights) texts.push_back({5, y, "T"});
    EXPECT_EQ(TypicalLinePitch(texts), expected);
  }
}

}  // namespace
