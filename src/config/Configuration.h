// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text/TextUtils.h"

class CArchive;

// The 24 column types; the index is what CConfigColumnItem::m_nType holds.
enum ColumnType : int {
  kColNone = 0,
  kColQuantity = 1,
  kColMaterial = 2,
  kColLengthFeet = 3,
  kColLengthInches = 4,
  kColLengthFtIn = 5,
  kColMajorMark = 6,
  kColMinorMark = 7,
  kColPieceMark = 8,
  kColGrade = 9,
  kColRemarks = 10,
  kColWeight = 11,
  kColSequence = 12,
  kColCamber = 13,
  kColMillMark = 14,
  kColPriceUnits = 15,
  kColPrice = 16,
  kColShopHours = 17,
  kColFieldHours = 18,
  kColLaborCode = 19,
  kColDrawingNumber = 20,
  kColRevision = 21,
  kColFinish = 22,
  kColAbmNumber = 23,
};
inline constexpr int kColumnTypeCount = 24;

// The names of the column types, in index order, as stored in files.
extern const char* const kColumnTypeNames[kColumnTypeCount];

// Index of the first type name equal (case-sensitively) to `name`; 0 ("None")
// when no name matches.
int ColumnTypeFromName(const std::string& name);

// One column definition.
class CConfigColumnItem {
 public:
  std::string m_strHeader;    // header text, compared whole, ignoring case
  std::string m_strType;      // one of kColumnTypeNames
  bool m_bFractions = false;  // values may hold fraction strings
  int m_nType = 0;            // derived from m_strType on load; never stored

  // Stores or loads one column record (header, type name, u32 flag). Loading
  // sets m_nType from the type name.
  void Serialize(CArchive& ar);
  void Store(CArchive& ar) const;
  void Load(CArchive& ar);

  bool operator==(const CConfigColumnItem&) const = default;
};

// Sizes of the fixed lists of a stored configuration.
inline constexpr int kMaterialCodeCount = 24;  // 20 families + 3 pipe + gage
inline constexpr int kFamilyCount = 20;
inline constexpr int kFractionCount = 15;
inline constexpr int kDefaultGradeCount = 20;
inline constexpr int kSearchReplaceCount = 6;  // pairs kept by the editor

// Entries of m_materialCodes beyond the twenty families.
inline constexpr int kCodeStandardPipe = 20;
inline constexpr int kCodeExtraHeavyPipe = 21;
inline constexpr int kCodeDoubleExtraHeavyPipe = 22;
inline constexpr int kCodeGage = 23;

// How to read one family of bill-of-material files. Lists loaded from a
// hand-made file may be shorter than the sizes above: read entries through
// MaterialCode / Fraction / DefaultGrade, which give "" beyond the end.
class CConfiguration {
 public:
  std::vector<CConfigColumnItem> m_columns;
  int32_t m_nReserved = 0;
  double m_dReserved1 = 1.0;
  double m_dReserved2 = 1.0;
  std::vector<std::string> m_materialCodes;
  std::vector<std::string> m_fractions;
  std::string m_strDiameter;
  int32_t m_bFractionIgnoreCase = 0;
  std::string m_strLeftRight;
  std::string m_strSchedule;
  int32_t m_bDiscardInOutput = 0;
  std::string m_strLeft;
  std::vector<std::string> m_searchFor;
  std::vector<std::string> m_replaceWith;
  int32_t m_bUseHssForTubes = 0;
  std::string m_strRight;
  std::vector<std::string> m_defaultGrades;
  std::string m_strDefaultGrade;

  // Sets every default; leaves m_columns, the search/replace pairs and the
  // reserved values alone, and keeps existing default grades.
  void ResetToDefaults();

  // Stores (version 6) or loads (versions 0 to 6) every field. Storing
  // writes exactly 20 default grades ("" for entries a short list lacks).
  // Loading expects a freshly constructed configuration and throws
  // CArchiveException when the stream ends too early or holds a count or
  // length that cannot fit into what remains; whatever was read before stays
  // in the configuration.
  void Serialize(CArchive& ar);
  void Store(CArchive& ar) const;
  void Load(CArchive& ar);

  // Applies the search/replace pairs to `text` in order: each non-blank
  // search text is replaced at most 100 times, case-sensitively. A search
  // text without a replacement is replaced by "". Blank means empty or only
  // blanks and tabs.
  void ApplySearchReplace(std::string& text) const;

  // Entries of the lists; "" beyond the end of a short list.
  const std::string& MaterialCode(int index) const {
    return EntryOrEmpty(m_materialCodes, index);
  }
  const std::string& Fraction(int index) const {
    return EntryOrEmpty(m_fractions, index);
  }
  const std::string& DefaultGrade(int index) const {
    return EntryOrEmpty(m_defaultGrades, index);
  }

  // Field by field, column items included.
  bool operator==(const CConfiguration&) const = default;

 private:
  static const std::string& EntryOrEmpty(const std::vector<std::string>& list,
                                         int index) {
    return index >= 0 && static_cast<size_t>(index) < list.size()
               ? list[static_cast<size_t>(index)]
               : kNoEntry;
  }
  static const std::string kNoEntry;
};

// Loads the configuration file at `path` into the freshly constructed
// `config`. Returns 0, or -1 with errno saying why when the file cannot be
// opened or read. A file that ends too early throws CArchiveException
// (caught by the caller), which says where.
int LoadConfigurationFile(const std::string& path, CConfiguration& config);

// Stores `config` as a version 6 file at `path` (created or emptied).
// Returns 0, or -1 when the file cannot be created or written.
int StoreConfigurationFile(const std::string& path,
                           const CConfiguration& config);

// The text helpers with this configuration's fraction strings and case flag,
// and its gage abbreviation (text/TextUtils.h).
inline std::string SubstituteFractions(const std::string& text,
                                       const CConfiguration& config) {
  return SubstituteFractions(text, config.m_fractions,
                             config.m_bFractionIgnoreCase != 0);
}
inline int ParseInches(std::string text, const CConfiguration& config) {
  return ParseInches(std::move(text), config.MaterialCode(kCodeGage));
}
