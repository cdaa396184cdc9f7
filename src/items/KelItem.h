// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/Orb.h"

class CConfiguration;
class CKelRowIndex;

// The item record of one table row on its way to the KEL file. Clear() it
// before each use; ParseRow fills it from its row, the material translation
// (TranslateMaterial) and the KEL writer complete it.
class CKelItem {
 public:
  int m_nRow = 0;       // index of the row in the document's rows
  int m_nSpan = 0;      // rows covered by a handed assembly that starts here
  int m_nLeftQty = 0;   // left-hand pieces asked for in the remarks
  int m_nRightQty = 0;  // right-hand pieces asked for in the remarks
  std::string m_strQuantity;  // decimal digits only
  std::string m_strMaterial;
  int m_bMaterialFractions = 0;
  int m_nLength = 0;  // sixteenths of an inch
  std::string m_strMark;
  std::string m_strMinorMark;
  std::string m_strRemarks;
  std::string m_strFamilyGrade;
  std::string m_strGrade;
  std::string m_strWeight;
  std::string m_strSequence;
  std::string m_strUnitWeight;
  int m_bHanded = 0;
  int m_nMarkType = 0;  // 6, 7 or 8: column type that gave m_strMark
  std::string m_strCamber;
  std::string m_strPriceUnits;
  std::string m_strMillMark;
  std::string m_strFieldHours;
  std::string m_strPrice;
  std::string m_strShopHours;
  std::string m_strLaborCode;
  std::string m_strDrawingNumber;
  std::string m_strRevision;
  std::string m_strFinish;
  std::string m_strAbmNumber;
  std::string m_strMatCode;
  std::string m_strDim1;
  std::string m_strDim2;
  std::string m_strDim3;
  std::string m_strGradePrefix;
  std::string m_strGradeNumber;
  std::string m_strDescription;
  std::string m_strLength;

  // Every text empty, every number 0.
  void Clear();

  // --- Reading a row (item record) ---

  // Fills the record from row m_nRow of `rows`. `rowCount` is the number of
  // rows, or -1 for a look-ahead parse that skips the handed-assembly work.
  // May rewrite the document's quantity cell (number words become digits).
  // Returns true when the row is an item: quantity and material non-empty.
  // `index` (optional, see KelRowIndex.h) replaces the scans over the table
  // that handed assemblies and references back to earlier rows need; the
  // results are the same with or without it.
  bool ParseRow(std::vector<COrbRow>& rows, const CConfiguration& config,
                int rowCount, CKelRowIndex* index = nullptr);

  // Fills m_strMark, m_strMinorMark and m_nMarkType from the mark columns;
  // false when the row has no mark cell.
  bool ParseMarks(const std::vector<COrbRow>& rows,
                  const CConfiguration& config);

  // The first non-empty cell of row m_nRow whose configured column has type
  // `columnType`; none when there is none.
  std::optional<std::string_view> FindCell(const std::vector<COrbRow>& rows,
                                           const CConfiguration& config,
                                           int columnType) const;

  // --- Material translation ---

  // The shape family (0 to 19) of m_strMaterial; 18 (Misc) when none fits.
  int ClassifyMaterial(const CConfiguration& config) const;
  // Whether the description, read as an item of `family`, has a plausible
  // size.
  bool FitsFamily(int family, const CConfiguration& config) const;
  // Fills the output material code, sizes, grade, description and unit
  // weight from the material description, remarks and grade.
  void TranslateMaterial(const CConfiguration& config);

  // --- Material translation: helpers (implemented in src/material) ---

  // True when the upper-cased m_strMaterial begins with "BENT".
  bool IsBent() const;
  // Only when `grade` is not empty and `prefix` is: `prefix` = the first
  // character of `grade`, `number` = the digits right behind it ("" when the
  // second character is not a digit).
  static void SplitGrade(const std::string& grade, std::string& prefix,
                         std::string& number);
  // Looks for the schedule indicator (its first "." left out, optionally
  // followed by ".") in the upper-cased `text`. When found: `number` = "%d"
  // of the integer behind it, every blank right behind it in `text` becomes
  // ".", and true is returned. Otherwise false; `number` is untouched.
  static bool FindSchedule(std::string& text, const CConfiguration& config,
                           std::string& number);
  // True when the upper-cased `text` holds the pipe prefix
  // m_materialCodes[entry] (20, 21 or 22); an empty prefix never matches.
  static bool HasPipePrefix(const std::string& text,
                            const CConfiguration& config, int entry);
  // Code "P", nominal diameter in m_strDim1, weight class in m_strDim2.
  void TranslatePipe(const std::string& text, const CConfiguration& config);
  // Code "R ", diameter in m_strDim1.
  void TranslateRod(const std::string& text, const CConfiguration& config);
  // Code "MI", the first 30 characters as the description, no sizes.
  void TranslateMisc(const std::string& text, const CConfiguration& config);
  // Diameter in m_strDim1 ("0" when no bolt pattern matches) and the
  // designation, when one is read, in m_strGradePrefix / m_strGradeNumber.
  void TranslateBolt(const std::string& text, const CConfiguration& config);
};
