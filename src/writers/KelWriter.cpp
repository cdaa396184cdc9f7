// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/KelWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>

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

 private:
  COrb& m_orb;
  int m_nRowCount;
  CKelRowIndex m_index;
};

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
  // A dropped "MM" main mark hands its role to the next written item.
  bool carryUpper = false;
  bool carryLeft = false;
  bool carryRight = false;
  CKelItem item;
  std::string line;

  for (int idx = 0; idx < rowCount; ++idx) {
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

      source.TranslateMaterial(item);

      if (config.m_bDiscardInOutput && item.m_strMatCode == "MM") {
        if (rowRecord != nullptr) {
          ++rowRecord->m_nDiscarded;
          ++record->m_nDiscarded;
        }
        if (item.m_nMarkType == kColMajorMark ||
            item.m_nMarkType == kColPieceMark) {
          carryUpper = true;
          carryLeft = left;
          carryRight = right;
        }
      } else {
        if (carryUpper) {
          item.m_strMark = ToUpperAscii(item.m_strMark);
          carryUpper = false;
        }
        if (carryLeft) {
          item.m_strMark += " LH";
          carryLeft = false;
        }
        if (carryRight) {
          item.m_strMark += " RH";
          carryRight = false;
        }
        CompleteGrade(item);
        line = FormatRecord(item);
        TrimTrailingBlanks(line);
        if (target.WriteLine(line) != 0) return -1;
        if (rowRecord != nullptr) {
          ++rowRecord->m_nLines;
          ++record->m_nLines;
          if (copy) ++record->m_nHandedLines;
        }
      }
    }

    // Made after every row, item or not, written or dropped: a group whose
    // last row is dropped still gets its right-hand pass and is closed.
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
