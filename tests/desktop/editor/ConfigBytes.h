// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Configuration files built byte by byte, independent of the program's own
// writer, and a helper that types a configuration into the editor's sheet.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "desktop/editor/ConfigColumns.h"
#include "desktop/editor/ConfigFractions.h"
#include "desktop/editor/ConfigMaterials.h"
#include "desktop/editor/ConfigMisc.h"
#include "desktop/editor/ConfigSheet.h"

struct SColumnRecord {
  std::string header, type;
  uint32_t fractions = 0;
};

// Every field of a configuration file, in file order.
struct SConfigFields {
  std::vector<SColumnRecord> columns;
  int32_t reserved = 0;
  double reserved1 = 1.0, reserved2 = 1.0;
  std::vector<std::string> codes, fractions;
  std::string diameter;
  int32_t ignoreCase = 0;
  std::string leftRight, schedule;
  int32_t discard = 0;                       // versions 1 and up
  std::string left;                          // 2 and up
  std::vector<std::string> search, replace;  // 2 and up
  int32_t useHss = 0;                        // 3 and up
  std::string right;                         // 4 and up
  std::vector<std::string> grades;           // 5 and up, without a count
  std::string defaultGrade;                  // 6
};

// Little-endian integers and doubles; strings with a one-byte length (below
// 255 characters only); lists with a u32 count.
struct CBytes {
  std::string out;
  CBytes& U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += char(value >> shift);
    return *this;
  }
  CBytes& I32(int32_t value) { return U32(uint32_t(value)); }
  CBytes& F64(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return U32(uint32_t(bits)).U32(uint32_t(bits >> 32));
  }
  CBytes& Str(const std::string& text) {
    out += char(text.size());
    out += text;
    return *this;
  }
  CBytes& List(const std::vector<std::string>& list) {
    U32(uint32_t(list.size()));
    for (const std::string& text : list) Str(text);
    return *this;
  }
};

// The file of `f` as `version` lays it out (0: no magic number, no version).
inline std::string EncodeConfig(const SConfigFields& f, int version) {
  CBytes b;
  if (version > 0) b.U32(99999).U32(uint32_t(version));
  b.U32(uint32_t(f.columns.size()));
  for (const SColumnRecord& c : f.columns) {
    b.Str(c.header).Str(c.type).U32(c.fractions);
  }
  b.I32(f.reserved).F64(f.reserved1).F64(f.reserved2).List(f.codes);
  b.List(f.fractions).Str(f.diameter).I32(f.ignoreCase).Str(f.leftRight);
  b.Str(f.schedule);
  if (version >= 1) b.I32(f.discard);
  if (version >= 2) b.Str(f.left).List(f.search).List(f.replace);
  if (version >= 3) b.I32(f.useHss);
  if (version >= 4) b.Str(f.right);
  if (version >= 5) {
    for (const std::string& grade : f.grades) b.Str(grade);
  }
  if (version >= 6) b.Str(f.defaultGrade);
  return b.out;
}

// A new configuration as the editor stores it: no columns, the default
// settings, six empty search/replace pairs and twenty empty default grades.
inline SConfigFields NewConfigFields() {
  SConfigFields f;
  f.codes = {"W",    "S",     "M",  "HP", "WT",  "ST",   "MT",       "C",
             "MC",   "PL",    "CP", "B",  "L",   "TS",   "ROD",      "RB",
             "PIPE", "W/NUT", "MI", "MM", "STD", "XSTR", "DBL.XSTR", "GA"};
  f.fractions = {"a", "d", "f", "g", "h", "j", "k", "l",
                 "z", "x", "c", "v", "b", "n", "m"};
  f.diameter = "%%C";
  f.leftRight = "L/R";
  f.schedule = "SCH";
  f.search.assign(6, "");
  f.replace.assign(6, "");
  f.grades.assign(20, "");
  return f;
}

// Replaces the text of `box` by typing, as a user would.
inline void Retype(QLineEdit* box, const std::string& text) {
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, QString::fromLatin1(text));
}

// Types every setting of `c` into a sheet that shows a new configuration:
// each column through the fields and Add, every box and switch of the other
// pages.
inline void TypeSettings(const CConfiguration& c, CConfigSheet& sheet) {
  CConfigColumns& columns = *sheet.Columns();
  for (const CConfigColumnItem& column : c.m_columns) {
    Retype(columns.HeaderEdit(), column.m_strHeader);
    columns.TypeCombo()->setCurrentText(QString::fromLatin1(column.m_strType));
    columns.FractionsCheck()->setChecked(column.m_bFractions);
    columns.AddButton()->click();
  }
  CConfigMaterials& m = *sheet.Materials();
  for (int i = 0; i < kMaterialCodeCount; ++i) {
    Retype(m.CodeBox(i), c.MaterialCode(i));
  }
  for (int i = 0; i < kDefaultGradeCount; ++i) {
    Retype(m.GradeBox(i), c.DefaultGrade(i));
  }
  const std::pair<QLineEdit*, std::string> boxes[] = {
      {m.DefaultGradeBox(), c.m_strDefaultGrade},
      {m.DiameterBox(), c.m_strDiameter},
      {m.LeftRightBox(), c.m_strLeftRight},
      {m.LeftBox(), c.m_strLeft},
      {m.RightBox(), c.m_strRight},
      {m.ScheduleBox(), c.m_strSchedule}};
  for (const auto& [box, text] : boxes) Retype(box, text);
  m.UseHssCheck()->setChecked(c.m_bUseHssForTubes != 0);
  m.DiscardCheck()->setChecked(c.m_bDiscardInOutput != 0);
  for (int k = 0; k < kFractionCount; ++k) {
    Retype(sheet.Fractions()->FractionBox(k), c.Fraction(k));
  }
  sheet.Fractions()->CaseSensitiveCheck()->setChecked(c.m_bFractionIgnoreCase ==
                                                      0);
  for (size_t i = 0; i < c.m_searchFor.size() && i < 6; ++i) {
    Retype(sheet.Misc()->SearchBox(int(i)), c.m_searchFor[i]);
    if (i < c.m_replaceWith.size()) {
      Retype(sheet.Misc()->ReplaceBox(int(i)), c.m_replaceWith[i]);
    }
  }
}
