// SPDX-License-Identifier: GPL-3.0-or-later
// The table drawn over the graphic display: built as a conversion job
// builds it, laid over the display's own picture, safe at any size.
#include "desktop/TableOverlay.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <set>
#include <tuple>

#include "MainDialogFixture.h"
#include "desktop/OrbDrawing.h"
#include "desktop/TableOverlayDrawing.h"
#include "job/ConversionReport.h"

namespace {

// Measured against the job, as the main dialog's actions are.
using TableOverlayTest = CMainDialogFixture;

using Placement = std::tuple<QString, int, int>;

TEST_F(TableOverlayTest, BuildsTheTableTheJobBuilds) {
  m_dir.Write("broken.cfg", std::string("\x9f\x86\x01\x00\x06", 5));
  const struct Case {
    const char* drawing;  // null: no input file
    const char* config;
    OverlayStatus status;
    bool inverted;
  } cases[] = {
      {kTopDownDrawing, "my.cfg", OverlayStatus::kApplies, false},
      {kBottomUpDrawing, "my.cfg", OverlayStatus::kApplies, true},
      {kForeignDrawing, "my.cfg", OverlayStatus::kDoesNotApply, false},
      {kTopDownDrawing, "missing.cfg", OverlayStatus::kNoConfiguration, false},
      {kTopDownDrawing, "broken.cfg", OverlayStatus::kNoConfiguration, false},
      {nullptr, "my.cfg", OverlayStatus::kNoInput, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.drawing ? c.drawing : "no input") + c.config);
    const std::string input = c.drawing != nullptr
                                  ? m_dir.Write("in.orb", c.drawing)
                                  : m_dir.Path("missing.orb");
    const CTableOverlay overlay =
        BuildTableOverlay(input, m_dir.Path(c.config), m_discard);
    EXPECT_EQ(overlay.m_status, c.status);
    EXPECT_EQ(overlay.m_bInverted, c.inverted);
    if (c.status != OverlayStatus::kApplies) {
      EXPECT_TRUE(overlay.m_texts.empty());
      continue;
    }
    // The same texts (the discard list applied), places and rows as the
    // job's report, in the file's own coordinates.
    CConversionReport report;
    Reference({input}, false, 0, &report);
    ASSERT_EQ(overlay.m_texts.size(), report.m_texts.size());
    const auto fileY = [&](int32_t y) { return c.inverted ? -y : y; };
    for (size_t i = 0; i < overlay.m_texts.size(); ++i) {
      EXPECT_EQ(overlay.m_texts[i].m_text, report.m_texts[i].m_text);
      EXPECT_EQ(overlay.m_texts[i].m_x, report.m_texts[i].m_x);
      EXPECT_EQ(overlay.m_texts[i].m_y, fileY(report.m_texts[i].m_y));
      const CTextRecord& place = report.m_record.m_table.m_texts[i];
      EXPECT_EQ(overlay.m_places[i].m_place, place.m_place) << i;
      EXPECT_EQ(overlay.m_places[i].m_nRow, place.m_nRow) << i;
    }
    const std::vector<int32_t>& rows = report.m_record.m_table.m_rowHeights;
    ASSERT_EQ(overlay.m_rowHeights.size(), 2u);
    EXPECT_EQ(overlay.m_rowHeights,
              (std::vector{fileY(rows[0]), fileY(rows[1])}));
    EXPECT_EQ(overlay.m_headers.size(), 4u);
  }
}

// Every way the display can be mirrored and every way the job can read: the
// table's texts land exactly where the display drew them, each in the band
// of its row, and the bands and header labels do not overlap.
TEST_F(TableOverlayTest, LiesOverTheDisplayedTexts) {
  const std::pair<std::string, std::string> inputs[] = {
      {m_dir.Write("d.orb", kTopDownDrawing), m_config},
      {m_dir.Write("u.orb", kBottomUpDrawing), m_config},
      {KELCONV_EXAMPLES "/sample.orb", KELCONV_EXAMPLES "/sample.cfg"}};
  const QFontMetrics metrics{QFont()};
  const QRect area(3, 7, 720, 420);
  for (const auto& [input, config] : inputs) {
    const CTableOverlay overlay = BuildTableOverlay(input, config, "");
    ASSERT_EQ(overlay.m_status, OverlayStatus::kApplies) << input;
    for (const bool invertX : {false, true}) {
      for (const bool invertY : {false, true}) {
        SCOPED_TRACE(input + (invertX ? " X" : "") + (invertY ? " Y" : ""));
        COrb displayed;
        ASSERT_EQ(displayed.ReadOrbFile(input, invertX, invertY, nullptr), 0);
        const SOverlayLayout layout = LayoutTableOverlay(
            overlay, displayed.m_texts, invertX, invertY, area, metrics);
        const QRect& textArea = layout.m_textArea;
        EXPECT_EQ(textArea.bottom(), area.bottom());
        EXPECT_GT(textArea.top(), area.top());

        std::multiset<Placement> expected, actual;
        for (const STextPlacement& p : PlaceTexts(
                 displayed.m_texts, textArea.width(), textArea.height())) {
          expected.emplace(QString::fromLatin1(p.m_text.c_str()),
                           textArea.left() + p.m_x, textArea.top() + p.m_y);
        }
        for (const SOverlayLayout::Text& text : layout.m_texts) {
          actual.emplace(text.m_text, text.m_pos.x(), text.m_pos.y());
        }
        EXPECT_EQ(actual, expected);

        ASSERT_EQ(layout.m_bands.size(), overlay.m_rowHeights.size());
        for (size_t i = 0; i < overlay.m_texts.size(); ++i) {
          if (overlay.m_places[i].m_place != TextPlace::kCell) continue;
          const SOverlayLayout::Band& band =
              layout.m_bands[overlay.m_places[i].m_nRow];
          const int middle =
              layout.m_texts[i].m_pos.y() + metrics.lineSpacing() / 2;
          EXPECT_GE(middle, band.m_top - 1) << overlay.m_texts[i].m_text;
          EXPECT_LE(middle, band.m_bottom + 1) << overlay.m_texts[i].m_text;
        }
        std::vector<SOverlayLayout::Band> bands = layout.m_bands;
        std::sort(bands.begin(), bands.end(), [](const auto& a, const auto& b) {
          return a.m_top < b.m_top;
        });
        for (size_t k = 1; k < bands.size(); ++k) {
          EXPECT_GE(bands[k].m_top, bands[k - 1].m_bottom) << k;
        }
        for (const auto& a : layout.m_headers) {
          EXPECT_TRUE(area.contains(a.m_label)) << a.m_text.toStdString();
          for (const auto& b : layout.m_headers) {
            if (&a != &b) {
              EXPECT_FALSE(a.m_label.intersects(b.m_label));
            }
          }
        }
      }
    }
  }
}

// Positions at the ends of the 32-bit range and pictures of any size: the
// display places every text inside the picture (its width is 90% of the
// rectangle's), the mapping agrees with that placement, and laying out and
// painting stay in range (the sanitizers watch the arithmetic).
TEST_F(TableOverlayTest, ExtremePositionsAndSizes) {
  std::vector<COrbText> texts = {{INT32_MAX, INT32_MAX, "A"},
                                 {-INT32_MAX, -INT32_MAX, "B"},
                                 {0, 5, "C"},
                                 {INT32_MAX, -INT32_MAX, ""},
                                 {INT32_MIN, 0, "D"}};
  for (const int size : {0, -5, 1, 7, 1000, 16777215, INT_MAX}) {
    SCOPED_TRACE(size);
    const CPictureMapping mapping(texts, size, size);
    const std::vector<STextPlacement> placed = PlaceTexts(texts, size, size);
    for (size_t i = 0; i < texts.size(); ++i) {
      EXPECT_EQ(mapping.X(texts[i].m_x), placed[i].m_x);
      EXPECT_EQ(mapping.Y(texts[i].m_y), placed[i].m_y);
      EXPECT_GE(std::min(placed[i].m_x, placed[i].m_y), 0);
      EXPECT_LE(placed[i].m_x, static_cast<int>(std::max(size, 0) * 0.9));
      EXPECT_LE(placed[i].m_y, std::max(size, 0));
    }
    (void)mapping.X(INT64_MAX);
    (void)mapping.Y(INT64_MIN);
  }

  CTableOverlay overlay;
  overlay.m_status = OverlayStatus::kApplies;
  overlay.m_texts = texts;
  overlay.m_places.resize(texts.size());
  overlay.m_places[2].m_place = TextPlace::kCell;
  overlay.m_headers = {{INT32_MAX, 0, "Quantity"}, {-INT32_MAX, 1, "Material"}};
  overlay.m_rowHeights = {INT32_MAX, 5, 5, -INT32_MAX};
  QImage image(64, 48, QImage::Format_RGB32);
  for (const QRect& area :
       {QRect(0, 0, 0, 0), QRect(0, 0, 64, 48), QRect(0, 0, 20000, 3),
        QRect(-5, -5, 100000, 100000)}) {
    for (const bool invert : {false, true}) {
      const SOverlayLayout layout = LayoutTableOverlay(
          overlay, texts, invert, invert, area, QFontMetrics(QFont()));
      ASSERT_EQ(layout.m_bands.size(), 4u);
      // The second of two rows at one height leaves its band to the first.
      EXPECT_EQ(layout.m_bands[2].m_top, layout.m_bands[2].m_bottom);
      for (const auto& band : layout.m_bands) {
        EXPECT_LE(band.m_top, band.m_bottom);
      }
      QPainter painter(&image);
      DrawTableBands(painter, layout);
      DrawTableMarks(painter, layout);
    }
  }
}

}  // namespace
