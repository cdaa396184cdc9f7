// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/ExportWriter.h"

#include <algorithm>
#include <climits>
#include <new>

#include "config/Configuration.h"
#include "input/Orb.h"
#include "items/KelItem.h"
#include "text/TextUtils.h"
#include "material/ShapeFamily.h"
#include "writers/LineTarget.h"

namespace {

// Columns that data lines look at: matched ones that are also configured.
int ExportedColumnCount(const COrb& orb) {
  size_t configured = orb.m_config.m_columns.size();
  if (orb.m_nColumns <= 0) return 0;
  return static_cast<int>(
      std::min<size_t>(static_cast<size_t>(orb.m_nColumns), configured));
}

int RowCount(const COrb& orb) {
  if (orb.m_nRows <= 0) return 0;
  return static_cast<int>(
      std::min<size_t>({static_cast<size_t>(orb.m_nRows), orb.m_rows.size(),
                        static_cast<size_t>(INT_MAX)}));
}

// Each run of blanks becomes one blank.
void CollapseBlanks(std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out += c;
  }
  text.swap(out);
}

}  // namespace

std::optional<std::string_view> FindCellFrom(const COrb& orb, int columnType,
                                             int row, int firstColumn) {
  if (row < 0 || row >= RowCount(orb)) return std::nullopt;
  const COrbRow& cells = orb.m_rows[static_cast<size_t>(row)];
  const size_t end =
      std::min(static_cast<size_t>(ExportedColumnCount(orb)), cells.size());
  const auto stored = cells.Cells().end();
  for (auto cell = cells.Lower(static_cast<size_t>(std::max(firstColumn, 0)));
       cell != stored && cell->m_nColumn < end; ++cell) {
    if (orb.m_config.m_columns[cell->m_nColumn].m_nType == columnType &&
        !cell->Text().empty()) {
      return cell->Text();
    }
  }
  return std::nullopt;
}

std::string ExportMaterial(const CConfiguration& config,
                           const std::string& text, bool fractions) {
  CKelItem probe;
  probe.m_strMaterial = text;
  probe.m_bMaterialFractions = fractions ? 1 : 0;
  int family = probe.ClassifyMaterial(config);
  std::string result = text;
  if (family >= 0 && family < kFamilyCount && family != kFamilyPipe) {
    ReplaceText(config.MaterialCode(family), kFamilyOutputCodes[family], result,
                1, false);
  }
  TrimBlanks(result);
  ReplaceText(config.m_strDiameter, "", result, 10, false);
  if (fractions) result = SubstituteFractions(result, config);
  CollapseBlanks(result);
  return result;
}

std::string ExportHeaderLine(const CConfiguration& config,
                             const std::string* fileName) {
  std::string line;
  for (const CConfigColumnItem& column : config.m_columns) {
    line += column.m_strHeader;
    line += '~';
  }
  if (fileName != nullptr) line += *fileName;
  return line;
}

int WriteExportHeader(const CConfiguration& config, CLineTarget& target,
                      const std::string* fileName) {
  return target.WriteLine(ExportHeaderLine(config, fileName));
}

std::string ExportDataLine(const COrb& orb, int row) {
  std::string line;
  bool seen[kColumnTypeCount] = {};
  int columns = ExportedColumnCount(orb);
  for (int j = 0; j < columns; ++j) {
    const CConfigColumnItem& column =
        orb.m_config.m_columns[static_cast<size_t>(j)];
    int type = column.m_nType;
    if (type <= kColNone || type >= kColumnTypeCount || seen[type]) continue;
    seen[type] = true;
    std::string text(FindCellFrom(orb, type, row, j).value_or(""));
    switch (type) {
      case kColQuantity:
        NumberWordToDigits(text);
        break;
      case kColMaterial:
        text = ExportMaterial(orb.m_config, text, column.m_bFractions);
        break;
      case kColLengthInches:
      case kColLengthFtIn:
        if (column.m_bFractions) text = SubstituteFractions(text, orb.m_config);
        break;
      default:
        break;
    }
    line += TrimBlanks(text);
    line += '~';
  }
  TrimBlanks(line);
  if (!line.empty() && line.back() == '~') {
    line.pop_back();
    TrimTrailingBlanks(line);
  }
  return line;
}

int WriteExportDocument(const COrb& orb, CLineTarget& target,
                        int headerOption, int fileIndex) {
  int result = 0;
  if (headerOption == 1 && fileIndex == 0) {
    result = WriteExportHeader(orb.m_config, target, nullptr);
  } else if (headerOption == 2) {
    result = WriteExportHeader(orb.m_config, target, &orb.m_strFileName);
  }
  const int rows = RowCount(orb);
  for (int r = 0; r < rows && result == 0; ++r) {
    result = target.WriteLine(ExportDataLine(orb, r));
  }
  return result;
}

int COrb::WriteExportFile(const std::string& outputPath, int openMode,
                          int headerOption, int fileIndex) {
  try {
    CLineTarget target;
    if (target.OpenFile(outputPath, openMode) != 0) return -1;
    int result = WriteExportDocument(*this, target, headerOption, fileIndex);
    if (target.Close() != 0) result = -1;
    return result;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}
