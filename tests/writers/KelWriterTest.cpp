// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <new>
#include <random>
#include <set>
#include <tuple>
#include <thread>

#include "TempDir.h"
#include "WriterTestSupport.h"
#include "input/OrbRecord.h"
#include "items/KelItem.h"
#include "writers/LineTarget.h"

namespace {

// Rows given as ready-made records; an empty quantity makes a row that is
// not an item.
class CFakeSource : public CKelItemSource {
 public:
  std::vector<CKelItem> rows;
  int parses = 0;
  bool ParseRow(CKelItem& item) override {
    ++parses;
    int row = item.m_nRow;
    item = rows[static_cast<size_t>(row)];
    item.m_nRow = row;
    return !item.m_strQuantity.empty();
  }
  void TranslateMaterial(CKelItem&) override {}
};

// A piece-mark row (or minor mark, type 7); handed when `span` > 0.
CKelItem Row(const char* mark, const char* qty, const char* code = "PL",
             int type = 8, int span = 0, int left = 0, int right = 0) {
  CKelItem item;
  item.m_strMark = mark, item.m_strQuantity = qty, item.m_strMatCode = code;
  item.m_nMarkType = type, item.m_bHanded = span > 0, item.m_nSpan = span;
  item.m_nLeftQty = left, item.m_nRightQty = right;
  return item;
}

// The lines of PL items, given as "mark:quantity" pairs.
std::string Lines(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    size_t colon = item.find(':');
    char line[64];
    std::snprintf(line, sizeof line, "%-9s%-5sPL\r\n",
                  item.substr(0, colon).c_str(),
                  item.substr(colon + 1).c_str());
    text += line;
  }
  return text;
}

TEST(WriteKelRowsTest, HandedAssembliesAndDroppedItems) {
  // clang-format off
  struct Case { const char* name; std::vector<CKelItem> rows; std::vector<std::string> expected; };
  const Case cases[] = {
      {"2L&3R over three rows",
       {Row("B1 L/R", "5", "PL", 8, 3, 2, 3), Row("p1", "10"), Row("p2", "10"), Row("B2", "1")},
       {"B1 LH:2", "p1:4", "p2:4", "B1 RH:3", "p1:6", "p2:6", "B2:1"}},
      {"no counts: halves, truncated", {Row("B1 L/R", "3", "PL", 8, 1)}, {"B1 LH:1", "B1 RH:1"}},
      {"quantity 0 with counts: halves", {Row("B1 L/R", "0", "PL", 8, 2, 2, 3), Row("p1", "10")},
       {"B1 LH:0", "p1:5", "B1 RH:0", "p1:5"}},
      {"exact shares: 1 of 49", {Row("B L/R", "49", "PL", 8, 2, 1, 48), Row("p", "49")},
       {"B LH:1", "p:1", "B RH:48", "p:48"}},
      {"group ending on a row that is no item", {Row("B1 L/R", "2", "PL", 8, 2), Row("", "")},
       {"B1 LH:1", "B1 RH:1"}},
      {"nesting two deep, a third handed row opens nothing",
       {Row("A L/R", "8", "PL", 8, 3), Row("B L/R", "8", "PL", 8, 2),
        Row("C L/R", "8", "PL", 8, 1)},
       {"A LH:4", "B LH:4", "C L/R:4", "B RH:4", "C L/R:4",
        "A RH:4", "B LH:4", "C L/R:4", "B RH:4", "C L/R:4"}},
      {"span past the table", {Row("B L/R", "2", "PL", 8, 99), Row("p", "2")},
       {"B LH:1", "p:1", "B RH:1", "p:1"}},
      {"huge quantity", {Row("B L/R", "99999999999", "PL", 8, 1)},
       {"B LH:1073741823", "B RH:1073741823"}},
      {"dropped MM major mark upper-cases the next item",
       {Row("G1", "1", "MM", 6), Row("b1", "2", "PL", 7)}, {"B1:2"}},
      {"dropped MM minor mark passes nothing on",
       {Row("g1", "1", "MM", 7), Row("b1", "2", "PL", 7)}, {"b1:2"}},
      {"dropped handed MM of one row closes its group",
       {Row("G L/R", "4", "MM", 8, 1, 1, 3), Row("p1", "4", "PL", 7)}, {"P1 RH:4"}},
      {"dropped handed MM heading two rows",
       {Row("G L/R", "4", "MM", 8, 2, 1, 3), Row("p1", "4", "PL", 7), Row("p2", "6", "PL", 7)},
       {"P1 LH:1", "P1 RH:3", "p2:6"}}};
  // clang-format on
  CConfiguration config;
  config.ResetToDefaults();
  config.m_bDiscardInOutput = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFakeSource source;
    source.rows = c.rows;
    std::string text;
    CLineTarget target;
    target.UseMemory(&text);
    const int rowCount = static_cast<int>(c.rows.size());
    EXPECT_EQ(WriteKelRows(rowCount, config, source, target), 0);
    EXPECT_EQ(text, Lines(c.expected));
    // Each row is read once per pass: twice in a group, four times nested.
    EXPECT_LE(source.parses, 4 * rowCount);
  }
}

// A whole document through the row reader and the material translation
// (its lines are what the golden conversions pin down): the same text in
// memory and in a file, whatever row count is claimed.
TEST(WriteKelFileTest, DocumentToFileAndMemory) {
  COrb orb;
  MakeDocument(orb, kTestColumns,
               {{"B1 L/R", "5", "PL1/2X12", "2'", "2L&3R"},
                {"p1", "TEN", "PL1/4X6", "1'", ""},
                {"B2", "1", "W12X26", "10'", "SHOP"}});
  std::string memory;
  EXPECT_EQ(orb.WriteKelFile("", 0, &memory, "", "", "", 0), 0);
  EXPECT_EQ(std::count(memory.begin(), memory.end(), '\n'), 5);
  TempDir dir;
  const std::string path = dir.Write("out.kel", "old contents");
  EXPECT_EQ(orb.WriteKelFile(path, kOpenCreateWrite, nullptr, "", "", "", 0), 0);
  EXPECT_EQ(orb.WriteKelFile(path, kOpenWriteNoTruncate, nullptr, "", "", "", 1), 0);
  EXPECT_EQ(TempDir::Read(path), memory + memory);
  // A row count beyond the rows held reads no row that is not there.
  orb.m_nRows = 9;
  std::string beyond;
  EXPECT_EQ(orb.WriteKelFile("", 0, &beyond, "", "", "", 0), 0);
  EXPECT_EQ(beyond, memory);
  if (std::filesystem::exists("/dev/full")) {
    EXPECT_EQ(orb.WriteKelFile("/dev/full", kOpenWriteNoTruncate, nullptr, "", "", "", 0), -1);
  }
}

// Rows without any text are not read; the lines and the record are those of
// reading them, inside handed groups too.
TEST(WriteKelRowsTest, RowsWithoutTextAreSkippedAsIfRead) {
  class CSkippingSource : public CFakeSource {
   public:
    bool RowHasText(int row) const override {
      const CKelItem& item = rows[static_cast<size_t>(row)];
      return !item.m_strMark.empty() || !item.m_strQuantity.empty();
    }
  };
  const std::vector<CKelItem> rows = {
      Row("B1 L/R", "4", "PL", 8, 4, 1, 3), Row("", ""), Row("p1", "4"),
      Row("", ""), Row("", ""), Row("b2", "")};
  CConfiguration config;
  config.ResetToDefaults();
  const auto write = [&](CFakeSource& source, CKelRecord& record) {
    source.rows = rows;
    std::string text;
    CLineTarget target;
    target.UseMemory(&text);
    EXPECT_EQ(WriteKelRows(static_cast<int>(rows.size()), config, source,
                           target, &record), 0);
    return text;
  };
  CFakeSource reading;
  CSkippingSource skipping;
  CKelRecord read, skipped;
  EXPECT_EQ(write(skipping, skipped), write(reading, read));
  EXPECT_LT(skipping.parses, reading.parses);
  ASSERT_EQ(skipped.m_rows.size(), read.m_rows.size());
  for (size_t i = 0; i < read.m_rows.size(); ++i) {
    const CKelRowRecord& a = skipped.m_rows[i];
    const CKelRowRecord& b = read.m_rows[i];
    EXPECT_EQ(std::tie(a.m_bVisited, a.m_bItem, a.m_bNoQuantity, a.m_bNoMaterial,
                       a.m_nLines, a.m_nDiscarded),
              std::tie(b.m_bVisited, b.m_bItem, b.m_bNoQuantity, b.m_bNoMaterial,
                       b.m_nLines, b.m_nDiscarded))
        << i;
  }
  EXPECT_EQ(std::tie(skipped.m_bFinished, skipped.m_nLines, skipped.m_nHandedLines,
                     skipped.m_nHandedGroups),
            std::tie(read.m_bFinished, read.m_nLines, read.m_nHandedLines,
                     read.m_nHandedGroups));
}

// Rows whose material code comes from the translation; with `concurrent`
// set the writer translates on two threads. The first translations made
// away from the calling thread are slow, so that the calling thread has to
// take some batches over.
class CThreadedSource : public CFakeSource {
 public:
  bool concurrent = false;
  int throwAt = -1;  // the row whose translation runs out of memory
  std::set<std::thread::id> threads;
  std::mutex mutex;
  void TranslateMaterial(CKelItem& item) override {
    if (item.m_nRow == throwAt) throw std::bad_alloc();
    bool away = false;
    {
      std::lock_guard<std::mutex> lock(mutex);
      threads.insert(std::this_thread::get_id());
      away = std::this_thread::get_id() != caller && ++slowLeft < 300;
    }
    if (away) std::this_thread::sleep_for(std::chrono::microseconds(200));
    item.m_strMatCode = item.m_strMaterial;
  }
  bool TranslatesConcurrently() const override { return concurrent; }
  std::thread::id caller = std::this_thread::get_id();
  int slowLeft = 0;
};

TEST(WriteKelRowsTest, TwoThreadsWriteWhatOneWrites) {
  std::mt19937 rng(42);
  std::vector<CKelItem> rows;
  const char* const kMarks[] = {"B1 L/R", "b2", "G3", "p4"};
  const char* const kCodes[] = {"PL", "PL", "W", "MM"};
  for (int i = 0; i < 3 * kKelPipelineRows; ++i) {
    const int kind = static_cast<int>(rng() % 4);
    const bool handed = kind == 0 && rng() % 8 == 0;
    CKelItem row = Row(kMarks[kind], rng() % 10 == 0 ? "" : "6", "",
                       kind == 2 ? 6 : 8, handed ? 1 + rng() % 4 : 0, 1, 5);
    row.m_strMaterial = kCodes[rng() % 4];
    rows.push_back(row);
  }
  CConfiguration config;
  config.ResetToDefaults();
  config.m_bDiscardInOutput = 1;
  const auto write = [&](bool concurrent, int throwAt, std::string& text) {
    CThreadedSource source;
    source.rows = rows;
    source.concurrent = concurrent;
    source.throwAt = throwAt;
    if (throwAt >= 0) source.rows[static_cast<size_t>(throwAt)].m_strQuantity = "6";
    CLineTarget target;
    target.UseMemory(&text);
    const int result =
        WriteKelRows(static_cast<int>(rows.size()), config, source, target);
    EXPECT_EQ(source.threads.size(), concurrent ? 2u : 1u);
    return result;
  };
  std::string one;
  std::string two;
  ASSERT_EQ(write(false, -1, one), 0);
  ASSERT_EQ(write(true, -1, two), 0);
  EXPECT_GT(std::count(one.begin(), one.end(), '\n'), 2 * kKelPipelineRows);
  EXPECT_TRUE(one == two);
  // A translation that fails ends the writing on either thread.
  std::string failed;
  EXPECT_THROW(write(true, 2 * kKelPipelineRows, failed), std::bad_alloc);
  if (std::filesystem::exists("/dev/full")) {
    CThreadedSource source;
    source.rows = rows;
    source.concurrent = true;
    CLineTarget target;
    ASSERT_EQ(target.OpenFile("/dev/full", kOpenWriteNoTruncate), 0);
    EXPECT_EQ(WriteKelRows(static_cast<int>(rows.size()), config, source, target), -1);
  }
}

}  // namespace
