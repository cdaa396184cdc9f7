// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <tuple>
#include <string>
#include <vector>

#include "TempDir.h"
#include "input/InputFile.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"

namespace {

struct Placed {
  int32_t x;
  int32_t y;
  std::string text;
  bool operator==(const Placed&) const = default;
};
using Texts = std::vector<Placed>;

std::ostream& operator<<(std::ostream& os, const Placed& p) {
  return os << "(" << p.x << ", " << p.y << ", \"" << p.text << "\")";
}

Texts ReadTexts(const std::string& bytes, bool invertX = false,
                bool invertY = false,
                const std::vector<std::string>* discard = nullptr) {
  TempDir dir;
  COrb orb;
  EXPECT_EQ(
      orb.ReadOrbFile(dir.Write("in.orb", bytes), invertX, invertY, discard),
      0);
  Texts out;
  for (const COrbText& t : orb.m_texts) out.push_back({t.m_x, t.m_y, t.m_text});
  return out;
}

TEST(OrbReader, ReadsEntityLines) {
  using namespace std::string_literals;
  const int32_t kBig = 2147483647;
  // clang-format off
  struct Case { std::string line; Texts expected; } const cases[] = {
      // Empty files, blank lines and lines that are no entities give nothing.
      {"", {}}, {"\n\n  \r\n\t\n", {}}, {"HEADER\r\nx(1 2 3),A\n,(1 2 3)\n", {}},
      {"(12.5 3.25 0),W12X26\n", {{12500, 3250, "W12X26"}}},
      // The plane: a zero first or second coordinate gives way to the third.
      {"(0 7.5 2),A", {{7500, 2000, "A"}}}, {"(4 0 9),A", {{4000, 9000, "A"}}},
      {"(0 0 9),A", {{0, 9000, "A"}}},
      // Truncation toward zero of the product in thousandths.
      {"(1.0009 2 0),X", {{1000, 2000, "X"}}}, {"(-1.0009 2 0),X", {{-1000, 2000, "X"}}},
      {"(2.3 1 0),X", {{2300, 1000, "X"}}},
      {"(1 2 0),  12 PCS ,EA  ", {{1000, 2000, "  12 PCS ,EA"}}},
      {"(1 2 0)", {{1000, 2000, ""}}}, {" \t\v(1 2 0),A\t \r\n", {{1000, 2000, "A"}}},
      {"( 1\t\t2 3 ),A", {{1000, 2000, "A"}}},
      // Scanning stops at the first number that does not read.
      {"(1 x 3),A", {{1000, 0, "A"}}}, {"(1,5 2 0),X", {{1000, 0, "5 2 0),X"}}},
      {"(+1.5 0x10 7),A", {{1500, 16000, "A"}}}, {"(1e 2 3),A", {{1000, 0, "A"}}},
      {"(nan 2 3),A", {{2000, 3000, "A"}}}, {"(1e300 -1e300 0),A", {{kBig, -kBig, "A"}}},
      {"(-inf 5 0),A", {{-kBig, 5000, "A"}}},
      {"(1 2 0),\xE9t\xE9 \xA0", {{1000, 2000, "\xE9t\xE9 \xA0"}}},
      // An embedded NUL ends the numbers but is kept in the text.
      {"(1 2\0 3),A\0B\r\n"s, {{1000, 2000, "A\0B"s}}}};
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(ReadTexts(c.line), c.expected) << c.line;
}

TEST(OrbReader, ReadsLinesAcrossBufferBoundaries) {
  std::string file = "(1 1 0)," + std::string(3 << 20, 'A') + "\r\n";
  for (int i = 1; i <= 100000; ++i)
    file += "(" + std::to_string(i) + " 2 0),t" + std::to_string(i) + "\r\n";
  file += "(0 0 0),last";
  const Texts texts = ReadTexts(file);
  ASSERT_EQ(texts.size(), 100002u);
  for (int i = 1; i <= 100000; ++i) {
    ASSERT_EQ(texts[i - 1], (Placed{i * 1000, 2000, "t" + std::to_string(i)}));
  }
  EXPECT_EQ(texts[100000].text, std::string(3 << 20, 'A'));
  EXPECT_EQ(texts[100001], (Placed{0, 0, "last"}));
}

// Large files are parsed in two parts; a number reads as strtod reads it,
// and the lines are counted as one pass counts them, wherever the parts meet.
TEST(OrbReader, LargeFilesReadAsStrtodReadsEveryNumber) {
  std::mt19937 rng(11);
  // Up to 18 digits, at most 6 before the point; `whole` gives the digits
  // before the point (heights are kept apart that way).
  const auto number = [&](std::string whole) {
    std::string text = rng() % 3 == 0 ? "-" : "";
    for (int i = static_cast<int>(rng() % 7); whole.empty() && i > 0; --i) {
      text += static_cast<char>('0' + rng() % 10);
    }
    text += whole.empty() ? "0" : whole;
    if (rng() % 4 == 0) return text;
    text += '.';
    for (int i = 1 + static_cast<int>(rng() % 12); i > 0; --i) {
      text += static_cast<char>('0' + rng() % 10);
    }
    return text;
  };
  const auto thousandths = [](const std::string& text) {
    const double product = std::strtod(text.c_str(), nullptr) * 1000.0;
    return static_cast<int32_t>(std::clamp(product, -2147483647.0, 2147483647.0));
  };
  for (const size_t size : {size_t{1} << 20, (size_t{1} << 20) + 7}) {
    std::string file;
    std::vector<Placed> expected;
    while (file.size() < size) {
      // Positions come again, as they do in drawings, or with the other sign.
      static std::string x;
      const int again = static_cast<int>(rng() % 4);
      if (again == 0 || x.empty()) x = number("");
      if (again == 1) x = x[0] == '-' ? x.substr(1) : "-" + x;
      const std::string y = number(std::to_string(expected.size() + 1));
      const std::string text = "t" + std::to_string(expected.size());
      file += rng() % 50 == 0 ? "\r\n  \r\n" : "";
      file += "(" + x + " " + y + " 1.5)," + text + "\r\n";
      const int32_t tx = thousandths(x), ty = thousandths(y);
      expected.push_back(tx == 0 ? Placed{ty, 1500, text}
                         : ty == 0 ? Placed{tx, 1500, text}
                                   : Placed{tx, ty, text});
    }
    TempDir dir;
    COrbRecord record;
    COrb orb;
    orb.m_pRecord = &record;
    ASSERT_EQ(orb.ReadOrbFile(dir.Write("in.orb", file), false, false, nullptr), 0);
    Texts texts;
    for (const COrbText& t : orb.m_texts) texts.push_back({t.m_x, t.m_y, t.m_text});
    std::sort(texts.begin(), texts.end(), [](const Placed& a, const Placed& b) {
      return std::stoi(a.text.substr(1)) < std::stoi(b.text.substr(1));
    });
    ASSERT_EQ(texts.size(), expected.size());  // no two positions alike
    for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(texts[i], expected[i]);
    EXPECT_EQ(record.m_read.m_nLines,
              static_cast<size_t>(std::count(file.begin(), file.end(), '\n')));
    EXPECT_EQ(record.m_read.m_nEntities, expected.size());
    EXPECT_EQ(record.m_read.m_nBlank, record.m_read.m_nSkipped);
  }
}

TEST(OrbReader, SortsTopToBottomThenLeftToRight) {
  const std::string file = "(0 0 5),a\r\n(0 0 9),b\r\n(3 9 0),c\r\n";
  EXPECT_EQ(ReadTexts(file),
            (Texts{{0, 9000, "b"}, {3000, 9000, "c"}, {0, 5000, "a"}}));
  EXPECT_EQ(ReadTexts(file, false, true),
            (Texts{{0, -5000, "a"}, {0, -9000, "b"}, {3000, -9000, "c"}}));
  EXPECT_EQ(ReadTexts(file, true, false),
            (Texts{{-3000, 9000, "c"}, {0, 9000, "b"}, {0, 5000, "a"}}));
}

TEST(OrbReader, MergesTextsAtOnePosition) {
  const std::string file =
      "(1 1 0),\n(2 1 0),D\n(1 1 0),B\n(5 5 0),\n(1 1 0),C\n(5 5 0),\n";
  EXPECT_EQ(ReadTexts(file),
            (Texts{{5000, 5000, ""}, {1000, 1000, "B"}, {2000, 1000, "D"}}));
  // Long runs keep file order: the first text read wins.
  std::string many;
  for (int i = 0; i < 300; ++i)
    many +=
        "(" + std::to_string(i % 3 + 1) + " 1 0),t" + std::to_string(i) + "\n";
  EXPECT_EQ(
      ReadTexts(many),
      (Texts{{1000, 1000, "t0"}, {2000, 1000, "t1"}, {3000, 1000, "t2"}}));
}

TEST(OrbReader, CutsDiscardPhrasesOutOfEntityLines) {
  std::string many;
  for (int i = 0; i < 31; ++i) many += "AB";
  // clang-format off
  struct Case { std::vector<std::string> phrases; std::string line; Placed expected; };
  const Case cases[] = {
      {{"DWG"}, "(1 2 0),dwg 5", {1000, 2000, " 5"}},
      {{"ab"}, "(1 2 0)," + many, {1000, 2000, "AB"}},
      {{"0"}, "(10 20 0),X0Y", {1000, 2000, "XY"}},
      {{"ref"}, "(1 2 0),ab Ref cd", {1000, 2000, "ab  cd"}},
      {{"(1 ", "B"}, "(1 2 3),B", {0, 0, ""}}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(ReadTexts(c.line, false, false, &c.phrases), Texts{c.expected})
        << c.line;
  }
}

TEST(OrbReader, NumbersIgnoreTheUserLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  }
  const Texts texts = ReadTexts("(12.5 3,25 0),A");
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(texts, (Texts{{12500, 3000, "25 0),A"}}));
}

TEST(OrbReader, FailsOnFilesThatCannotBeRead) {
  TempDir dir;
  const std::pair<std::string, std::string> cases[] = {
      {dir.Path("none.orb"), "none.orb"},
      {dir.Path("."), "."},
      {"no such file.orb", "no such file.orb"}};
  for (const auto& [path, name] : cases) {
    COrb orb;
    EXPECT_EQ(orb.ReadOrbFile(path, false, false, nullptr), -1) << path;
    EXPECT_EQ(orb.m_strFileName, name);
  }
}


// The second, bottom-to-top reading is made from the first one's texts: it
// must give what reading the bytes again with invertY gives, texts and
// record alike, for every input of the tests (odd ones included).
TEST(OrbReader, ReadsUpsideDownAsTheBytesReadInverted) {
  const std::string data = KELCONV_TEST_DATA;
  std::vector<std::string> inputs = {
      "(0 0 5),a\r\n(0 0 9),b\r\n(3 9 0),c\r\n(3 9 0),\r\n(3 9 0),d\r\n",
      "(1 1 0),\n(2 1 0),D\n(1 1 0),B\n(5 5 0),\n(1 1 0),C\n(5 5 0),\n",
      "(1e300 -1e300 0),far\n(-1e300 1e300 0),near\n(nan 1 0),x\n\n  text\n",
  };
  for (const std::string& folder :
       {data + "/golden", data + "/drawings", data + "/../../fuzz/corpus/orb_reader"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".orb" || ext == ".dxf" || ext.empty()) {
        inputs.push_back(TempDir::Read(entry.path().string()));
      }
    }
  }
  ASSERT_GT(inputs.size(), 20u);
  const std::vector<std::string> discard = {"REF"};
  for (size_t k = 0; k < inputs.size(); ++k) {
    CInputFile input;
    input.SetBytes("in", inputs[k]);
    COrbRecord firstRecord, invertedRecord, upsideDownRecord;
    COrb first, inverted, upsideDown;
    first.m_pRecord = &firstRecord;
    inverted.m_pRecord = &invertedRecord;
    upsideDown.m_pRecord = &upsideDownRecord;
    const int read = first.ReadDrawing(input, 0, false, false, &discard);
    ASSERT_EQ(inverted.ReadDrawing(input, 0, false, true, &discard), read) << k;
    if (read != 0) continue;
    ASSERT_EQ(upsideDown.ReadUpsideDown(first), 0);
    const auto texts = [](const COrb& orb) {
      Texts out;
      for (const COrbText& t : orb.m_texts) out.push_back({t.m_x, t.m_y, t.m_text});
      return out;
    };
    EXPECT_EQ(texts(upsideDown), texts(inverted)) << k;
    EXPECT_EQ(upsideDown.m_strFileName, inverted.m_strFileName);
    const CReadRecord& a = upsideDownRecord.m_read;
    const CReadRecord& b = invertedRecord.m_read;
    EXPECT_EQ(std::tie(a.m_bRead, a.m_kind, a.m_nPage, a.m_nLines, a.m_nEntities,
                       a.m_nSkipped, a.m_nBlank, a.m_nTexts),
              std::tie(b.m_bRead, b.m_kind, b.m_nPage, b.m_nLines, b.m_nEntities,
                       b.m_nSkipped, b.m_nBlank, b.m_nTexts))
        << k;
  }
}

}  // namespace
