// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/Configuration.h"

#include <algorithm>

#include "config/Archive.h"

const char* const kColumnTypeNames[kColumnTypeCount] = {
    "None",           "Quantity",        "Material",      "Length(Feet)",
    "Length(Inches)", "Length(Ft + In)", "Major PC Mark", "Minor PC Mark",
    "Piece Mark",     "Grade",           "Remarks",       "Weight",
    "Sequence",       "Camber",          "Mill Mark",     "Price Units",
    "Price",          "Shop Hours",      "Field Hours",   "Labor Code",
    "Drawing Number", "Revision Number", "Finish",        "ABM Number",
};

int ColumnTypeFromName(const std::string& name) {
  for (int i = 0; i < kColumnTypeCount; ++i) {
    if (name == kColumnTypeNames[i]) return i;
  }
  return kColNone;
}

namespace {

constexpr uint32_t kMagic = 99999;
constexpr int32_t kCurrentVersion = 6;

// The smallest column record: two empty strings and the u32 flag.
constexpr size_t kMinColumnRecordBytes = 1 + 1 + 4;

// Grades of files written before the overall default grade existed.
constexpr const char* kOldDefaultGrade = "A36";

const char* const kDefaultMaterialCodes[kMaterialCodeCount] = {
    "W",    "S",     "M",  "HP", "WT",  "ST",   "MT",       "C",
    "MC",   "PL",    "CP", "B",  "L",   "TS",   "ROD",      "RB",
    "PIPE", "W/NUT", "MI", "MM", "STD", "XSTR", "DBL.XSTR", "GA",
};

const char* const kDefaultFractions[kFractionCount] = {
    "a", "d", "f", "g", "h", "j", "k", "l", "z", "x", "c", "v", "b", "n", "m",
};


}  // namespace

void CConfigColumnItem::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    Store(ar);
  } else {
    Load(ar);
  }
}

void CConfigColumnItem::Store(CArchive& ar) const {
  ar.WriteString(m_strHeader);
  ar.WriteString(m_strType);
  ar.WriteU32(m_bFractions ? 1u : 0u);
}

void CConfigColumnItem::Load(CArchive& ar) {
  m_strHeader = ar.ReadString();
  m_strType = ar.ReadString();
  m_bFractions = ar.ReadU32() != 0;
  m_nType = ColumnTypeFromName(m_strType);
}

void CConfiguration::ResetToDefaults() {
  m_materialCodes.assign(std::begin(kDefaultMaterialCodes),
                         std::end(kDefaultMaterialCodes));
  m_strDiameter = "%%C";
  m_strLeftRight = "L/R";
  m_strLeft = "";
  m_strRight = "";
  m_strSchedule = "SCH";
  m_fractions.assign(std::begin(kDefaultFractions),
                     std::end(kDefaultFractions));
  m_bFractionIgnoreCase = 0;
  m_bDiscardInOutput = 0;
  m_bUseHssForTubes = 0;
  m_defaultGrades.resize(kDefaultGradeCount);
  m_strDefaultGrade = "";
}

void CConfiguration::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    Store(ar);
  } else {
    Load(ar);
  }
}

void CConfiguration::Store(CArchive& ar) const {
  ar.WriteU32(kMagic);
  ar.WriteI32(kCurrentVersion);
  ar.WriteU32(static_cast<uint32_t>(m_columns.size()));
  for (const CConfigColumnItem& column : m_columns) column.Store(ar);
  ar.WriteI32(m_nReserved);
  ar.WriteF64(m_dReserved1);
  ar.WriteF64(m_dReserved2);
  ar.WriteStringList(m_materialCodes);
  ar.WriteStringList(m_fractions);
  ar.WriteString(m_strDiameter);
  ar.WriteI32(m_bFractionIgnoreCase);
  ar.WriteString(m_strLeftRight);
  ar.WriteString(m_strSchedule);
  ar.WriteI32(m_bDiscardInOutput);
  ar.WriteString(m_strLeft);
  ar.WriteStringList(m_searchFor);
  ar.WriteStringList(m_replaceWith);
  ar.WriteI32(m_bUseHssForTubes);
  ar.WriteString(m_strRight);
  // The grades have no count in the file: always exactly twenty.
  for (int i = 0; i < kDefaultGradeCount; ++i) {
    ar.WriteString(DefaultGrade(i));
  }
  ar.WriteString(m_strDefaultGrade);
}

void CConfiguration::Load(CArchive& ar) {
  // Files of the first release begin with the column count itself.
  int32_t version = 0;
  size_t countAt = ar.Position();
  uint32_t first = ar.ReadU32();
  if (first == kMagic) {
    version = std::clamp(ar.ReadI32(), int32_t{0}, kCurrentVersion);
    countAt = ar.Position();
    first = ar.ReadU32();
  }
  if (first > ar.Remaining() / kMinColumnRecordBytes) ar.ThrowDamaged(countAt);
  for (uint32_t i = 0; i < first; ++i) {
    m_columns.emplace_back();
    m_columns.back().Load(ar);
  }

  m_nReserved = ar.ReadI32();
  m_dReserved1 = ar.ReadF64();
  m_dReserved2 = ar.ReadF64();
  ar.ReadStringList(m_materialCodes);
  ar.ReadStringList(m_fractions);
  m_strDiameter = ar.ReadString();
  m_bFractionIgnoreCase = ar.ReadI32();
  m_strLeftRight = ar.ReadString();
  m_strSchedule = ar.ReadString();

  // Fields that a version lacks take fixed values; each version adds to the
  // end of the one before.
  m_bDiscardInOutput = 0;
  m_strLeft = "";
  m_searchFor.clear();
  m_replaceWith.clear();
  m_bUseHssForTubes = 0;
  m_strRight = "";
  m_defaultGrades.assign(kDefaultGradeCount, std::string());
  m_strDefaultGrade = kOldDefaultGrade;

  if (version < 1) return;
  m_bDiscardInOutput = ar.ReadI32();
  if (version < 2) return;
  m_strLeft = ar.ReadString();
  ar.ReadStringList(m_searchFor);
  ar.ReadStringList(m_replaceWith);
  if (version < 3) return;
  m_bUseHssForTubes = ar.ReadI32();
  if (version < 4) return;
  m_strRight = ar.ReadString();
  if (version < 5) return;
  for (std::string& grade : m_defaultGrades) grade = ar.ReadString();
  if (version < 6) return;
  m_strDefaultGrade = ar.ReadString();
}

const std::string CConfiguration::kNoEntry;
