#include "viewers/OrbDrawing.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Expected {
  int x;
  int y;
  const char* text;
};

void ExpectPlacements(const std::vector<COrbText>& texts, int width, int height,
                      const std::vector<Expected>& expected) {
  const std::vector<STextPlacement> placements =
      PlaceTexts(texts, width, height);
  ASSERT_EQ(placements.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(placements[i].m_x, expected[i].x);
    EXPECT_EQ(placements[i].m_y, expected[i].y);
    EXPECT_EQ(placements[i].m_text, expected[i].text);
  }
}

TEST(OrbDrawingTest, ScalesTextsIntoTheRectangle) {
  // 1000 x 500: W = 900, offsetY = 50. The highest text starts at the top,
  // the lowest at 90% of the height; empty texts show as "*".
  ExpectPlacements({{0, 0, "low"}, {100, 200, ""}, {50, 100, "mid"}}, 1000, 500,
                   {{0, 450, "low"}, {900, 0, "*"}, {450, 225, "mid"}});
  // Each term is divided on its own, truncating toward zero:
  // 3*9/10 + 63/10 = 2 + 6, and -63/10 + 63/10 = 0.
  ExpectPlacements({{3, 0, "a"}, {-7, 1, "b"}}, 10, 10,
                   {{8, 9, "a"}, {0, 0, "b"}});
  // A rectangle with a width of 1 pixel has W = 0.
  ExpectPlacements({{1, 1, "a"}, {2, 2, "b"}}, 1, 1,
                   {{0, 1, "a"}, {0, 0, "b"}});
}

TEST(OrbDrawingTest, OneValueOnAnAxisDrawsAtTheEdge) {
  ExpectPlacements({{5, 5, "only"}}, 640, 480, {{0, 0, "only"}});
  ExpectPlacements({{7, 1, "a"}, {7, 2, "b"}}, 100, 100,
                   {{0, 90, "a"}, {0, 0, "b"}});
  ExpectPlacements({{1, 3, "a"}, {2, 3, "b"}}, 100, 100,
                   {{0, 0, "a"}, {90, 0, "b"}});
  EXPECT_TRUE(PlaceTexts({}, 640, 480).empty());
}

TEST(OrbDrawingTest, ExtremePositionsAndSizesStayInRange) {
  const std::vector<COrbText> texts = {
      {-INT_MAX, -INT_MAX, "a"}, {INT_MAX, INT_MAX, "b"}, {INT_MIN, 0, "c"}};
  for (const int size : {0, -5, 1, 16777215, INT_MAX}) {
    SCOPED_TRACE(size);
    const int w = static_cast<int>(std::max(size, 0) * 0.9);
    for (const STextPlacement& p : PlaceTexts(texts, size, size)) {
      EXPECT_GE(p.m_x, 0);
      EXPECT_LE(p.m_x, w);
      EXPECT_GE(p.m_y, 0);
      EXPECT_LE(p.m_y, std::max(size, 0));
    }
  }
}

}  // namespace
