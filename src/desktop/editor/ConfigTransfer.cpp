// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigTransfer.h"

#include <QCheckBox>
#include <QLineEdit>
#include <string>

#include "config/Configuration.h"
#include "desktop/editor/ConfigColumns.h"
#include "desktop/editor/ConfigFractions.h"
#include "desktop/editor/ConfigMaterials.h"
#include "desktop/editor/ConfigMisc.h"
#include "desktop/editor/ConfigSheet.h"
#include "desktop/editor/EditorText.h"

namespace {

// Removes white space (blank, tab, line feed, vertical tab, form feed,
// carriage return) from both ends.
std::string TrimWhiteSpace(const std::string& text) {
  const char* const kWhiteSpace = " \t\n\v\f\r";
  const size_t first = text.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(kWhiteSpace);
  return text.substr(first, last - first + 1);
}

}  // namespace

void CopyToSheet(CConfiguration& config, CConfigSheet& sheet) {
  CConfigMaterials& materials = *sheet.Materials();
  for (int entry = 0; entry < kMaterialCodeCount; ++entry) {
    SetBoxText(materials.CodeBox(entry), config.MaterialCode(entry));
  }
  SetBoxText(materials.DiameterBox(), config.m_strDiameter);
  SetBoxText(materials.LeftRightBox(), config.m_strLeftRight);
  SetBoxText(materials.ScheduleBox(), config.m_strSchedule);
  SetBoxText(materials.LeftBox(), config.m_strLeft);
  SetBoxText(materials.RightBox(), config.m_strRight);

  CConfigFractions& fractions = *sheet.Fractions();
  for (int k = 0; k < kFractionCount; ++k) {
    SetBoxText(fractions.FractionBox(k), config.Fraction(k));
  }
  fractions.CaseSensitiveCheck()->setChecked(config.m_bFractionIgnoreCase == 0);

  sheet.Columns()->SetColumns(&config.m_columns);

  materials.DiscardCheck()->setChecked(config.m_bDiscardInOutput != 0);
  materials.UseHssCheck()->setChecked(config.m_bUseHssForTubes != 0);

  config.m_searchFor.resize(kSearchReplaceCount);
  config.m_replaceWith.resize(kSearchReplaceCount);
  CConfigMisc& misc = *sheet.Misc();
  for (int i = 0; i < kSearchReplaceCount; ++i) {
    SetBoxText(misc.SearchBox(i), config.m_searchFor[i]);
    SetBoxText(misc.ReplaceBox(i), config.m_replaceWith[i]);
  }

  config.m_defaultGrades.resize(kDefaultGradeCount);
  for (int family = 0; family < kDefaultGradeCount; ++family) {
    SetBoxText(materials.GradeBox(family), config.m_defaultGrades[family]);
  }
  SetBoxText(materials.DefaultGradeBox(), config.m_strDefaultGrade);
}

void CopyFromSheet(CConfiguration& config, const CConfigSheet& sheet) {
  const CConfigMaterials& materials = *sheet.Materials();
  config.m_materialCodes.resize(kMaterialCodeCount);
  for (int entry = 0; entry < kMaterialCodeCount; ++entry) {
    config.m_materialCodes[entry] = BoxText(materials.CodeBox(entry));
  }
  config.m_strDiameter = BoxText(materials.DiameterBox());
  config.m_strLeftRight = TrimWhiteSpace(BoxText(materials.LeftRightBox()));
  config.m_strLeft = TrimWhiteSpace(BoxText(materials.LeftBox()));
  config.m_strRight = TrimWhiteSpace(BoxText(materials.RightBox()));
  config.m_strSchedule = BoxText(materials.ScheduleBox());

  const CConfigFractions& fractions = *sheet.Fractions();
  config.m_fractions.resize(kFractionCount);
  for (int k = 0; k < kFractionCount; ++k) {
    config.m_fractions[k] = BoxText(fractions.FractionBox(k));
  }

  config.m_bFractionIgnoreCase =
      fractions.CaseSensitiveCheck()->isChecked() ? 0 : 1;
  config.m_bDiscardInOutput = materials.DiscardCheck()->isChecked() ? 1 : 0;
  config.m_bUseHssForTubes = materials.UseHssCheck()->isChecked() ? 1 : 0;

  config.m_strDefaultGrade = BoxText(materials.DefaultGradeBox());

  const CConfigMisc& misc = *sheet.Misc();
  config.m_searchFor.resize(kSearchReplaceCount);
  config.m_replaceWith.resize(kSearchReplaceCount);
  for (int i = 0; i < kSearchReplaceCount; ++i) {
    config.m_searchFor[i] = BoxText(misc.SearchBox(i));
    config.m_replaceWith[i] = BoxText(misc.ReplaceBox(i));
  }

  config.m_defaultGrades.resize(kDefaultGradeCount);
  for (int family = 0; family < kDefaultGradeCount; ++family) {
    config.m_defaultGrades[family] = BoxText(materials.GradeBox(family));
  }
}
