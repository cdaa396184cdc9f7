// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "config/Configuration.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"
#include "items/KelItem.h"
#include "items/KelRowIndex.h"
#include "text/TextUtils.h"
#include "writers/KelRecord.h"
#include "writers/LineTarget.h"

namespace {

// Share of the assembly's quantity that one side asks for, as a fraction.
struct Share {
  int64_t count = 1;
  int64_t total = 2;
};

// One open handed assembly: rows start..last, written first in the left
// phase, then again in the right phase.
struct HandedGroup {
  int start = 0;
  int last = 0;
  Share left;
  Share right;
  bool rightPhase = false;
};

// A side without a count, or an assembly whose quantity reads as 0 (or
// less), gets half.
Share SideShare(int count, int total) {
  Share share;
  if (count != 0 && total > 0) {
    share.count = count;
    share.total = total;
  }
  return share;
}

// quantity * count / total, truncated toward zero and saturated to int.
// Exact integer arithmetic: a side of 1 out of 49 gets 1 of a quantity of
// 49, where a ratio in floating point would give 0.999... and so 0.
std::string ScaleQuantity(const std::string& quantity, const Share& share) {
  // |quantity| and |count| are at most 2^31, so the product fits.
  int64_t scaled = int64_t{AtoiSaturated(quantity)} * share.count / share.total;
  return std::to_string(std::clamp<int64_t>(scaled, INT_MIN, INT_MAX));
}

// The mark of an assembly's first row loses the left/right indicator and
// gets the suffix of the side being written.
void SetHandSuffix(CKelItem& item, const std::string& leftRight,
                   const char* suffix) {
  ReplaceText(leftRight, "", item.m_strMark, 1, false);
  TrimBlanks(item.m_strMark);
  item.m_strMark += suffix;
}

// Reads the document's own rows. The row index answers the look-ups of
// handed assemblies and of rows that refer back to earlier marks without a
// scan over the table per row; the writer changes no mark cell, so it stays
// valid for the whole walk.
class COrbItemSource : public CKelItemSource {
 public:
  COrbItemSource(COrb& orb, int rowCount)
      : m_orb(orb), m_nRowCount(rowCount), m_index(orb.m_rows, orb.m_config) {}
  bool ParseRow(CKelItem& item) override {
    return item.ParseRow(m_orb.m_rows, m_orb.m_config, m_nRowCount, &m_index);
  }
  void TranslateMaterial(CKelItem& item) override {
    item.TranslateMaterial(m_orb.m_config);
  }
  bool RowHasText(int row) const override {
    const COrbRow& cells = m_orb.m_rows[static_cast<size_t>(row)];
    for (const COrbRow::Cell& cell : cells.Cells()) {
      if (!cell.Text().empty()) return true;
    }
    return false;
  }
  // Translation reads only the item and the configuration.
  bool TranslatesConcurrently() const override { return true; }

 private:
  COrb& m_orb;
  int m_nRowCount;
  CKelRowIndex m_index;
};

// One item on its way from the reading of rows to the written line: the
// record with quantity and mark already set for the side being written.
struct ParsedItem {
  CKelItem item;
  bool left = false;   // first row of a group in its left-hand pass
  bool right = false;  // first row of a group in its right-hand pass
  bool copy = false;   // a row read again for a right-hand copy
  CKelRowRecord* rowRecord = nullptr;
};

// The second half of the writer: translates items, drops "MM" ones (a
// dropped main mark passes its upper case and hand suffix on) and writes
// the others, in the order they come.
class CItemFinisher {
 public:
  CItemFinisher(const CConfiguration& config, CKelItemSource& source,
                CLineTarget& target, CKelRecord* record)
      : m_config(config), m_source(source), m_target(target),
        m_record(record) {}

  // Returns -1 when the line cannot be written. `translated`: the item's
  // material was translated already.
  int Finish(ParsedItem& parsed, bool translated = false) {
    CKelItem& item = parsed.item;
    if (!translated) m_source.TranslateMaterial(item);
    if (m_config.m_bDiscardInOutput && item.m_strMatCode == "MM") {
      if (parsed.rowRecord != nullptr) {
        ++parsed.rowRecord->m_nDiscarded;
        ++m_record->m_nDiscarded;
      }
      if (item.m_nMarkType == kColMajorMark ||
          item.m_nMarkType == kColPieceMark) {
        m_bCarryUpper = true;
        m_bCarryLeft = parsed.left;
        m_bCarryRight = parsed.right;
      }
      return 0;
    }
    if (m_bCarryUpper) {
      item.m_strMark = ToUpperAscii(item.m_strMark);
      m_bCarryUpper = false;
    }
    if (m_bCarryLeft) {
      item.m_strMark += " LH";
      m_bCarryLeft = false;
    }
    if (m_bCarryRight) {
      item.m_strMark += " RH";
      m_bCarryRight = false;
    }
    CompleteGrade(item);
    m_line = FormatRecord(item);
    TrimTrailingBlanks(m_line);
    if (m_target.WriteLine(m_line) != 0) return -1;
    if (parsed.rowRecord != nullptr) {
      ++parsed.rowRecord->m_nLines;
      ++m_record->m_nLines;
      if (parsed.copy) ++m_record->m_nHandedLines;
    }
    return 0;
  }

 private:
  const CConfiguration& m_config;
  CKelItemSource& m_source;
  CLineTarget& m_target;
  CKelRecord* m_record;
  bool m_bCarryUpper = false;
  bool m_bCarryLeft = false;
  bool m_bCarryRight = false;
  std::string m_line;
};

// Hands parsed items to a second thread that finishes them, in batches, so
// that reading rows and translating materials run side by side. When the
// second thread falls behind, the first one translates a batch itself
// before sending it (a translation depends on nothing but its item). The
// items of a batch keep their room from one use to the next.
class CFinishingThread {
 public:
  static constexpr size_t kBatch = 256;
  static constexpr size_t kBatches = 8;

  CFinishingThread(CItemFinisher& finisher, CKelItemSource& source)
      : m_finisher(finisher), m_source(source) {
    for (Batch& batch : m_batches) batch.items.resize(kBatch);
    m_thread = std::thread([this] { Run(); });
  }
  ~CFinishingThread() { Stop(); }
  CFinishingThread(const CFinishingThread&) = delete;
  CFinishingThread& operator=(const CFinishingThread&) = delete;

  // The next item to fill, or null once the finisher has failed.
  ParsedItem* Next() {
    Batch& batch = m_batches[m_nFill % kBatches];
    if (m_nInBatch == 0) {
      // Wait until the finisher is done with this batch.
      std::unique_lock<std::mutex> lock(m_mutex);
      m_changed.wait(lock, [&] {
        return m_nFill - m_nFinished < kBatches || m_failure != kNone;
      });
      if (m_failure != kNone) return nullptr;
    }
    return &batch.items[m_nInBatch];
  }
  // The item Next() gave is filled.
  void Push() {
    if (++m_nInBatch == kBatch) Send();
  }
  // Sends what is filled, waits for every item to be finished and returns
  // the finisher's result; rethrows what the finisher threw.
  int Close() {
    if (m_nInBatch > 0) Send();
    Stop();
    if (m_exception) std::rethrow_exception(m_exception);
    return m_failure == kNone ? 0 : -1;
  }

 private:
  enum Failure { kNone, kWrite, kThrown };
  struct Batch {
    std::vector<ParsedItem> items;
    size_t count = 0;
    bool translated = false;
  };

  void Send() {
    Batch& batch = m_batches[m_nFill % kBatches];
    batch.count = m_nInBatch;
    m_nInBatch = 0;
    size_t waiting = 0;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      waiting = m_nFill - m_nFinished;
    }
    batch.translated = waiting >= 2;
    if (batch.translated) {
      for (size_t i = 0; i < batch.count; ++i) {
        m_source.TranslateMaterial(batch.items[i].item);
      }
    }
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      ++m_nFill;
    }
    m_changed.notify_all();
  }

  void Stop() {
    if (!m_thread.joinable()) return;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      m_bClosed = true;
    }
    m_changed.notify_all();
    m_thread.join();
  }

  void Run() {
    size_t next = 0;
    for (;;) {
      {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [&] { return next < m_nFill || m_bClosed; });
        if (next == m_nFill) return;  // closed, and everything finished
      }
      Batch& batch = m_batches[next % kBatches];
      Failure failure = kNone;
      try {
        for (size_t i = 0; i < batch.count && failure == kNone; ++i) {
          if (m_finisher.Finish(batch.items[i], batch.translated) != 0) {
            failure = kWrite;
          }
        }
      } catch (...) {
        m_exception = std::current_exception();
        failure = kThrown;
      }
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_nFinished = ++next;
        m_failure = failure;
      }
      m_changed.notify_all();
      if (failure != kNone) return;
    }
  }

  CItemFinisher& m_finisher;
  CKelItemSource& m_source;
  Batch m_batches[kBatches];
  size_t m_nInBatch = 0;  // items filled in the batch being filled
  // Guarded by m_mutex: batches sent, batches finished, and the end.
  std::mutex m_mutex;
  std::condition_variable m_changed;
  size_t m_nFill = 0;
  size_t m_nFinished = 0;
  bool m_bClosed = false;
  Failure m_failure = kNone;
  std::exception_ptr m_exception;  // written before m_failure is set
  std::thread m_thread;
};

// Made after every row, item or not, written or dropped: a group whose
// last row is dropped still gets its right-hand pass and is closed. Moves
// `idx` back before the group's first row for its right-hand pass.
void CloseGroups(HandedGroup (&groups)[2], int& openGroups, int& idx) {
  while (openGroups > 0 && idx == groups[openGroups - 1].last) {
    HandedGroup& group = groups[openGroups - 1];
    if (!group.rightPhase) {
      group.rightPhase = true;
      idx = group.start - 1;
    } else {
      --openGroups;
    }
  }
}

}  // namespace

int WriteKelRows(int rowCount, const CConfiguration& config,
                 CKelItemSource& source, CLineTarget& target,
                 CKelRecord* record) {
  if (record != nullptr) {
    *record = CKelRecord();
    record->m_rows.resize(static_cast<size_t>(std::max(rowCount, 0)));
  }
  // Innermost group last; a handed row met while two are open opens none.
  HandedGroup groups[2];
  int openGroups = 0;
  CItemFinisher finisher(config, source, target, record);
  // Large tables are finished on a second thread; the lines are the same.
  std::optional<CFinishingThread> finishing;
  if (record == nullptr && rowCount >= kKelPipelineRows &&
      source.TranslatesConcurrently()) {
    try {
      finishing.emplace(finisher, source);
    } catch (const std::system_error&) {
      // No thread to be had: everything on this one.
    }
  }
  ParsedItem single;

  for (int idx = 0; idx < rowCount; ++idx) {
    if (!source.RowHasText(idx)) {
      // As ParseRow would find it: no item, nothing in it.
      if (record != nullptr) {
        CKelRowRecord& rowRecord = record->m_rows[static_cast<size_t>(idx)];
        if (!rowRecord.m_bVisited) {
          rowRecord.m_bVisited = true;
          rowRecord.m_bNoQuantity = true;
          rowRecord.m_bNoMaterial = true;
        }
      }
      CloseGroups(groups, openGroups, idx);
      continue;
    }
    ParsedItem* parsed = finishing ? finishing->Next() : &single;
    if (parsed == nullptr) break;  // the finisher failed
    CKelItem& item = parsed->item;
    item.Clear();
    item.m_nRow = idx;
    bool left = false;
    bool right = false;
    const bool isItem = source.ParseRow(item);
    CKelRowRecord* rowRecord =
        record != nullptr ? &record->m_rows[static_cast<size_t>(idx)] : nullptr;
    // A row read again belongs to a handed assembly's right-hand copy.
    const bool copy = rowRecord != nullptr && rowRecord->m_bVisited;
    if (rowRecord != nullptr && !copy) {
      rowRecord->m_bVisited = true;
      rowRecord->m_bItem = isItem;
      rowRecord->m_bNoQuantity = !isItem && item.m_strQuantity.empty();
      rowRecord->m_bNoMaterial = !isItem && item.m_strMaterial.empty();
    }
    if (isItem) {
      TrimBlanks(item.m_strQuantity);
      TrimBlanks(item.m_strMaterial);

      if (item.m_bHanded && openGroups < 2 &&
          (openGroups == 0 || groups[openGroups - 1].start != idx)) {
        HandedGroup& group = groups[openGroups];
        group = HandedGroup();
        group.start = idx;
        // The group never reaches past the table or past the group that
        // holds it, so its last row is always met on the way down.
        int64_t last =
            static_cast<int64_t>(idx) + std::max(item.m_nSpan, 1) - 1;
        last = std::min<int64_t>(last, rowCount - 1);
        if (openGroups > 0) last = std::min<int64_t>(last, groups[0].last);
        group.last = static_cast<int>(last);
        int total = AtoiSaturated(item.m_strQuantity);
        group.left = SideShare(item.m_nLeftQty, total);
        group.right = SideShare(item.m_nRightQty, total);
        ++openGroups;
        if (record != nullptr) ++record->m_nHandedGroups;
        SetHandSuffix(item, config.m_strLeftRight, " LH");
        left = true;
      }
      if (openGroups > 0) {
        const HandedGroup& group = groups[openGroups - 1];
        if (group.rightPhase && group.start == idx) {
          SetHandSuffix(item, config.m_strLeftRight, " RH");
          right = true;
        }
        item.m_strQuantity = ScaleQuantity(
            item.m_strQuantity, group.rightPhase ? group.right : group.left);
      }

      parsed->left = left;
      parsed->right = right;
      parsed->copy = copy;
      parsed->rowRecord = rowRecord;
      if (finishing) {
        finishing->Push();
      } else if (finisher.Finish(*parsed) != 0) {
        return -1;
      }
    }

    CloseGroups(groups, openGroups, idx);
  }
  if (finishing && finishing->Close() != 0) return -1;
  if (record != nullptr) record->m_bFinished = true;
  return 0;
}

int WriteKelDocument(COrb& orb, CLineTarget& target) {
  // Never read rows that the document does not hold.
  int rowCount = std::max(0, orb.m_nRows);
  if (static_cast<size_t>(rowCount) > orb.m_rows.size()) {
    rowCount = static_cast<int>(std::min<size_t>(orb.m_rows.size(), INT_MAX));
  }
  COrbItemSource source(orb, rowCount);
  return WriteKelRows(
      rowCount, orb.m_config, source, target,
      orb.m_pRecord != nullptr ? &orb.m_pRecord->m_kel : nullptr);
}

int COrb::WriteKelFile(const std::string& outputPath, int openMode,
                       std::string* memoryOut, const std::string& /*jobNumber*/,
                       const std::string& /*jobName*/,
                       const std::string& /*customer*/, int /*fileIndex*/) {
  try {
    CLineTarget target;
    if (memoryOut != nullptr) {
      target.UseMemory(memoryOut);
    } else if (target.OpenFile(outputPath, openMode) != 0) {
      return -1;
    }
    int result = WriteKelDocument(*this, target);
    if (target.Close() != 0) result = -1;
    return result;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}
