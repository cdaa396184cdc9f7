// SPDX-License-Identifier: GPL-3.0-or-later
#include "items/KelItem.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "config/Configuration.h"
#include "items/KelRowIndex.h"
#include "text/TextUtils.h"

namespace {

constexpr int64_t kSixteenthsPerFoot = 192;
// Quantity digits are looked for only this far into the cell.
constexpr std::string::size_type kQuantityScanLength = 20;

// An inch reading as a length term: a text ParseInches cannot read adds
// nothing rather than taking a sixteenth off.
int64_t InchTerm(const std::string& text, const CConfiguration& config) {
  const int inches = ParseInches(text, config);
  return inches < 0 ? 0 : inches;
}

int64_t FeetTerm(const std::string& text) {
  return AtoiSaturated(text) * kSixteenthsPerFoot;
}

template <typename Rows>
auto* RowAt(Rows& rows, int row) {
  return (row >= 0 && static_cast<size_t>(row) < rows.size()) ? &rows[row]
                                                              : nullptr;
}

// Index of the first configured column of `type` whose cell in `row` is
// non-empty; -1 when there is none. Only the cells that hold text are
// looked at, so a very wide configuration costs nothing per row.
int FindColumn(const COrbRow* row, const CConfiguration& config, int type) {
  if (row == nullptr) return -1;
  const size_t columns = std::min(config.m_columns.size(), row->size());
  for (const COrbRow::Cell& cell : row->Cells()) {
    if (cell.m_nColumn >= columns) break;
    if (config.m_columns[cell.m_nColumn].m_nType == type &&
        !cell.Text().empty()) {
      return static_cast<int>(cell.m_nColumn);
    }
  }
  return -1;
}

void ReplaceFirst(std::string& text, const std::string& search,
                  const std::string& replacement) {
  ReplaceText(search, replacement, text, 1, false);
}

// The mark with the left/right indicator taken out, as a handed record's
// main-mark test reads it.
std::string MarkWithoutHandedIndicator(const CKelItem& item,
                                       const CConfiguration& config) {
  std::string stripped = item.m_strMark;
  ReplaceFirst(stripped, config.m_strLeftRight, "");
  return TrimBlanks(stripped);
}

// Left and right piece counts from remarks such as "2L&3R" or "4 PCS 1L/3R".
// The counts are left alone when the remarks hold no readable pair.
void ReadHandedCounts(CKelItem& item) {
  const std::string& remarks = item.m_strRemarks;
  if (remarks.empty()) {
    item.m_nLeftQty = 0;
    item.m_nRightQty = 0;
    return;
  }
  std::string::size_type p = std::string::npos;
  for (const char* separator : {"R&", "L&", "R/", "L/"}) {
    p = remarks.find(separator);
    if (p != std::string::npos) break;
  }
  if (p == std::string::npos || p == 0) return;

  std::string left = remarks.substr(0, p + 1);
  const std::string::size_type blank = left.rfind(' ');
  if (blank != std::string::npos && blank > 0) left.erase(0, blank + 1);
  std::string right = remarks.substr(p + 2);
  TrimBlanks(left);
  TrimBlanks(right);

  std::string::size_type a = left.find_first_of("Ll");
  std::string::size_type b = right.find_first_of("Rr");
  const bool swapped = a == std::string::npos;
  if (swapped) {
    a = left.find_first_of("Rr");
    b = right.find_first_of("Ll");
  }
  if (a == std::string::npos || b == std::string::npos || a < 1 || b < 1) {
    return;
  }
  const int first = AtoiSaturated(left.substr(0, a + 1));
  const int second = AtoiSaturated(right.substr(0, b + 1));
  item.m_nLeftQty = swapped ? second : first;
  item.m_nRightQty = swapped ? first : second;
}

bool IsFamilyCode(const std::string& text, const CConfiguration& config) {
  for (int i = 0; i < kFamilyCount; ++i) {
    if (text == config.MaterialCode(i)) return true;
  }
  return false;
}

void ApplyHandedIndicators(CKelItem& item, const CConfiguration& config) {
  item.m_bHanded = 0;
  if (item.m_strMark.empty()) return;
  const std::string& leftRight = config.m_strLeftRight;
  if (!leftRight.empty() &&
      item.m_strMark.find(leftRight) != std::string::npos) {
    item.m_bHanded = 1;
    return;
  }
  // An empty indicator finds nothing.
  ReplaceFirst(item.m_strMark, config.m_strLeft, "L");
  ReplaceFirst(item.m_strMark, config.m_strRight, "R");
}

void ReadQuantity(CKelItem& item, std::vector<COrbRow>& rows,
                  const CConfiguration& config) {
  const COrbRow* row = RowAt(rows, item.m_nRow);
  const int j = FindColumn(row, config, kColQuantity);
  if (j < 0) return;
  const std::string_view cell = (*row)[static_cast<size_t>(j)];
  std::string digits(cell);
  NumberWordToDigits(digits);
  // The document's cell reads digits from now on. Most cells hold digits
  // already and are left alone: a cell changed gets a text of its own.
  if (digits != cell) {
    rows[static_cast<size_t>(item.m_nRow)].Set(static_cast<size_t>(j), digits);
  }
  item.m_strQuantity.clear();
  const size_t scan = std::min(digits.size(), kQuantityScanLength);
  for (size_t i = 0; i < scan; ++i) {
    const char c = digits[i];
    if (c >= '0' && c <= '9') item.m_strQuantity += c;
  }
}

void ReadMaterial(CKelItem& item, const std::vector<COrbRow>& rows,
                  const CConfiguration& config) {
  const COrbRow* row = RowAt(rows, item.m_nRow);
  const int j = FindColumn(row, config, kColMaterial);
  if (j < 0) return;
  item.m_bMaterialFractions = config.m_columns[j].m_bFractions ? 1 : 0;
  item.m_strMaterial = (*row)[j];
  config.ApplySearchReplace(item.m_strMaterial);
}

// A Length(Ft + In) text in sixteenths: 12, 12', 12'-6, 12.6, 12 6, 6" and
// 12'-6 1/2" are all understood.
int64_t FeetAndInches(std::string text, const CConfiguration& config) {
  TrimBlanks(text);
  ReplaceFirst(text, " -", "-");
  ReplaceFirst(text, "- ", "-");
  ReplaceFirst(text, ".", " ");  // 12.6 reads as 12 feet 6 inches

  constexpr auto npos = std::string::npos;
  const std::string::size_type dash = text.find('-');
  const std::string::size_type foot = text.find('\'');
  const std::string::size_type inch = text.find('"');

  if (dash == npos && foot == npos && inch == npos) {
    // A bare number is feet; a blank separates feet from inches.
    const std::string::size_type blank = text.find(' ');
    if (blank == npos) return FeetTerm(text);
    return FeetTerm(text.substr(0, blank)) +
           InchTerm(text.substr(blank + 1), config);
  }
  if (foot != npos && inch == npos && dash == npos) {
    return FeetTerm(text.substr(0, foot));
  }
  int64_t length = 0;
  if (foot != npos) {
    length = FeetTerm(text.substr(0, foot));
    text.erase(0, foot + 1);
    ReplaceFirst(text, "-", " ");
    text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
  }
  ReplaceFirst(text, "\"", "");
  return length + InchTerm(text, config);
}

void ReadLength(CKelItem& item, const std::vector<COrbRow>& rows,
                const CConfiguration& config) {
  const COrbRow* row = RowAt(rows, item.m_nRow);
  const auto cellText = [&](int column) {
    std::string text((*row)[column]);
    return config.m_columns[column].m_bFractions
               ? SubstituteFractions(text, config)
               : text;
  };

  const int ftIn = FindColumn(row, config, kColLengthFtIn);
  if (ftIn >= 0) {
    item.m_nLength = SaturateToInt(FeetAndInches(cellText(ftIn), config));
    return;
  }
  const int feet = FindColumn(row, config, kColLengthFeet);
  const int inches = FindColumn(row, config, kColLengthInches);
  if (feet < 0 && inches < 0) return;
  int64_t length = feet >= 0 ? FeetTerm(std::string((*row)[feet])) : 0;
  if (inches >= 0) {
    std::string text = cellText(inches);
    ReplaceFirst(text, "-", " ");
    ReplaceFirst(text, ".", " ");
    length += InchTerm(text, config);
  }
  item.m_nLength = SaturateToInt(length);
}

void ReadCopiedFields(CKelItem& item, std::vector<COrbRow>& rows,
                      const CConfiguration& config) {
  struct Copied {
    int type;
    std::string CKelItem::*field;
    bool trim;
  };
  static const Copied kCopied[] = {
      {kColWeight, &CKelItem::m_strWeight, false},
      {kColSequence, &CKelItem::m_strSequence, false},
      {kColRemarks, &CKelItem::m_strRemarks, false},
      {kColGrade, &CKelItem::m_strGrade, false},
      {kColCamber, &CKelItem::m_strCamber, false},
      {kColFieldHours, &CKelItem::m_strFieldHours, false},
      {kColMillMark, &CKelItem::m_strMillMark, false},
      {kColPriceUnits, &CKelItem::m_strPriceUnits, false},
      {kColPrice, &CKelItem::m_strPrice, false},
      {kColShopHours, &CKelItem::m_strShopHours, false},
      {kColLaborCode, &CKelItem::m_strLaborCode, true},
      {kColDrawingNumber, &CKelItem::m_strDrawingNumber, true},
      {kColRevision, &CKelItem::m_strRevision, true},
      {kColFinish, &CKelItem::m_strFinish, true},
      {kColAbmNumber, &CKelItem::m_strAbmNumber, true},
  };
  // FindColumn for every type at once: one pass over the row's cells.
  const COrbRow* row = RowAt(rows, item.m_nRow);
  if (row == nullptr) return;
  std::array<int, kColumnTypeCount> first;
  first.fill(-1);
  const size_t columns = std::min(config.m_columns.size(), row->size());
  for (const COrbRow::Cell& cell : row->Cells()) {
    if (cell.m_nColumn >= columns) break;
    const int type = config.m_columns[cell.m_nColumn].m_nType;
    if (type >= 0 && type < kColumnTypeCount && first[type] < 0 &&
        !cell.Text().empty()) {
      first[type] = static_cast<int>(cell.m_nColumn);
    }
  }
  for (const Copied& copied : kCopied) {
    const int j = first[copied.type];
    if (j < 0) continue;
    std::string& field = item.*copied.field;
    field = (*row)[static_cast<size_t>(j)];
    if (copied.trim) TrimBlanks(field);
    if (copied.type == kColRemarks) config.ApplySearchReplace(field);
  }
}

int ScanForNextMainRow(std::vector<COrbRow>& rows, const CConfiguration& config,
                       int row, int rowCount, CKelRowIndex* index) {
  for (int64_t k = int64_t{row} + 1; k < rowCount; ++k) {
    CKelItem ahead;
    ahead.m_nRow = static_cast<int>(k);
    if (ahead.ParseRow(rows, config, -1, index) &&
        IsMainMarkRecord(ahead, config)) {
      return static_cast<int>(k);
    }
  }
  return rowCount;
}

void ReadHandedSpan(CKelItem& item, std::vector<COrbRow>& rows,
                    const CConfiguration& config, int rowCount,
                    CKelRowIndex* index) {
  if (!IsMainMarkRecord(item, config)) {
    item.m_nSpan = 1;
    return;
  }
  // A main mark's assembly runs up to the next row that is an item with a
  // main mark (rows that are no items do not end it), or to the end.
  int next = index != nullptr
                 ? index->NextMainRow(rows, config, item.m_nRow, rowCount)
                 : -1;
  if (next < 0) {
    next = ScanForNextMainRow(rows, config, item.m_nRow, rowCount, index);
  }
  item.m_nSpan = SaturateToInt(int64_t{next} - item.m_nRow);
}

// Everything ParseRow does for one row short of following a reference back.
void ReadRow(CKelItem& item, std::vector<COrbRow>& rows,
             const CConfiguration& config, int rowCount, CKelRowIndex* index) {
  item.ParseMarks(rows, config);
  ApplyHandedIndicators(item, config);
  ReadQuantity(item, rows, config);
  ReadMaterial(item, rows, config);
  ReadLength(item, rows, config);
  ReadCopiedFields(item, rows, config);
  if (item.m_bHanded != 0 && rowCount >= 1) {
    ReadHandedSpan(item, rows, config, rowCount, index);
    ReadHandedCounts(item);
  } else {
    item.m_nSpan = 0;
  }
  TrimBlanks(item.m_strMaterial);
}

// The row this record refers back to: when its material is nothing but a
// family code, the first earlier row with the same mark. -1 when none.
int FindEarlierRowOfMark(const CKelItem& item, const std::vector<COrbRow>& rows,
                         const CConfiguration& config,
                         const CKelRowIndex* index) {
  if (item.m_strMark.empty() || item.m_strMaterial.empty() ||
      item.m_strQuantity.empty() || !IsFamilyCode(item.m_strMaterial, config)) {
    return -1;
  }
  if (index != nullptr) {
    const int first = index->FirstRowOfMark(rows, config, item.m_strMark);
    return first < item.m_nRow ? first : -1;
  }
  const int end = static_cast<int>(
      std::min<int64_t>(item.m_nRow, static_cast<int64_t>(rows.size())));
  for (int k = 0; k < end; ++k) {
    CKelItem earlier;
    earlier.m_nRow = k;
    earlier.ParseMarks(rows, config);
    if (!earlier.m_strMark.empty() && earlier.m_strMark == item.m_strMark) {
      return k;
    }
  }
  return -1;
}

}  // namespace

bool IsMainMarkRecord(const CKelItem& item, const CConfiguration& config) {
  if (item.m_nMarkType == kColMajorMark) return true;
  if (item.m_nMarkType != kColPieceMark) return false;
  return HasUpperCase(item.m_bHanded ? MarkWithoutHandedIndicator(item, config)
                                     : item.m_strMark);
}

// Every field of the record is cleared below: one added to the record must
// be added there too.
static_assert(sizeof(CKelItem) == 29 * sizeof(std::string) + 8 * sizeof(int));

void CKelItem::Clear() {
  // Texts keep their room, so that a record cleared for every row of a
  // table allocates nothing once it has seen the longest texts.
  for (std::string CKelItem::*text :
       {&CKelItem::m_strQuantity, &CKelItem::m_strMaterial,
        &CKelItem::m_strMark, &CKelItem::m_strMinorMark,
        &CKelItem::m_strRemarks, &CKelItem::m_strFamilyGrade,
        &CKelItem::m_strGrade, &CKelItem::m_strWeight,
        &CKelItem::m_strSequence, &CKelItem::m_strUnitWeight,
        &CKelItem::m_strCamber, &CKelItem::m_strPriceUnits,
        &CKelItem::m_strMillMark, &CKelItem::m_strFieldHours,
        &CKelItem::m_strPrice, &CKelItem::m_strShopHours,
        &CKelItem::m_strLaborCode, &CKelItem::m_strDrawingNumber,
        &CKelItem::m_strRevision, &CKelItem::m_strFinish,
        &CKelItem::m_strAbmNumber, &CKelItem::m_strMatCode,
        &CKelItem::m_strDim1, &CKelItem::m_strDim2, &CKelItem::m_strDim3,
        &CKelItem::m_strGradePrefix, &CKelItem::m_strGradeNumber,
        &CKelItem::m_strDescription, &CKelItem::m_strLength}) {
    (this->*text).clear();
  }
  for (int CKelItem::*number :
       {&CKelItem::m_nRow, &CKelItem::m_nSpan, &CKelItem::m_nLeftQty,
        &CKelItem::m_nRightQty, &CKelItem::m_bMaterialFractions,
        &CKelItem::m_nLength, &CKelItem::m_bHanded, &CKelItem::m_nMarkType}) {
    this->*number = 0;
  }
}

std::optional<std::string_view> CKelItem::FindCell(
    const std::vector<COrbRow>& rows, const CConfiguration& config,
    int columnType) const {
  const COrbRow* row = RowAt(rows, m_nRow);
  const int j = FindColumn(row, config, columnType);
  if (j < 0) return std::nullopt;
  return (*row)[static_cast<size_t>(j)];
}

bool CKelItem::ParseMarks(const std::vector<COrbRow>& rows,
                          const CConfiguration& config) {
  m_nMarkType = 0;
  const COrbRow* row = RowAt(rows, m_nRow);
  if (row == nullptr) return false;
  // The last non-empty cell of each mark type counts.
  const COrbRow::Cell* major = nullptr;
  const COrbRow::Cell* minor = nullptr;
  const COrbRow::Cell* piece = nullptr;
  const size_t columns = std::min(config.m_columns.size(), row->size());
  for (const COrbRow::Cell& cell : row->Cells()) {
    if (cell.m_nColumn >= columns) break;
    if (cell.Text().empty()) continue;
    switch (config.m_columns[cell.m_nColumn].m_nType) {
      case kColMajorMark:
        major = &cell;
        break;
      case kColMinorMark:
        minor = &cell;
        break;
      case kColPieceMark:
        piece = &cell;
        break;
      default:
        break;
    }
  }
  if (major == nullptr && minor == nullptr && piece == nullptr) return false;

  if (major != nullptr) {
    m_nMarkType = kColMajorMark;
    m_strMark = ToUpperAscii(std::string(major->Text()));
  }
  if (minor != nullptr) {
    if (m_nMarkType != 0) {
      m_strMinorMark = ToLowerAscii(std::string(minor->Text()));
    } else {
      m_nMarkType = kColMinorMark;
      m_strMark = ToLowerAscii(std::string(minor->Text()));
    }
  }
  if (piece != nullptr) {
    m_nMarkType = kColPieceMark;
    m_strMark = piece->Text();
  }
  return true;
}

bool CKelItem::ParseRow(std::vector<COrbRow>& rows,
                        const CConfiguration& config, int rowCount,
                        CKelRowIndex* index) {
  // A row that refers back reads the earlier row into this record and keeps
  // its own quantity (and weight, when it has one). The earlier row may refer
  // back further; the chain is followed in a loop, not by recursion, so a
  // long chain cannot exhaust the stack. Each link goes to a smaller row
  // index, so the chain ends.
  const int ownRow = m_nRow;
  bool referredBack = false;
  std::string ownQuantity;
  std::string ownWeight;  // the first non-empty weight along the chain
  for (;;) {
    ReadRow(*this, rows, config, rowCount, index);
    const int earlier = FindEarlierRowOfMark(*this, rows, config, index);
    if (earlier < 0) break;
    if (!referredBack) ownQuantity = m_strQuantity;
    referredBack = true;
    if (ownWeight.empty()) ownWeight = m_strWeight;
    m_nRow = earlier;
  }
  if (referredBack) {
    m_strQuantity = ownQuantity;
    if (!ownWeight.empty()) m_strWeight = ownWeight;
    m_nRow = ownRow;
  }
  return !m_strQuantity.empty() && !m_strMaterial.empty();
}
