// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigMaterials.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <utility>

#include "desktop/editor/EditorText.h"

namespace {

constexpr int kCodeLimit = 15;
constexpr int kGradeLimit = 10;
constexpr int kFamiliesPerBlock = 10;

const char* const kFamilyLabels[kFamilyCount] = {
    "W",    "S",     "M",      "HP",     "WT",   "ST",     "MT",
    "C",    "MC",    "Plates", "Chk.Pl", "Bars", "Angles", "Tubes",
    "Rods", "Rebar", "Pipe",   "Bolts",  "Misc", "MM"};

// Widths of the boxes, in characters: enough for the usual codes and grades
// ("DBL.XSTR", "A572-50") without making the page wide.
constexpr int kCodeWidth = 8;
constexpr int kGradeWidth = 7;
constexpr int kRightWidth = 10;

QLineEdit* MakeBox(int limit, int width, const QString& name) {
  auto* box = new QLineEdit;
  box->setMaxLength(limit);
  box->setObjectName(name);
  SetWidthInChars(box, width);
  return box;
}

}  // namespace

CConfigMaterials::CConfigMaterials(QWidget* parent) : QWidget(parent) {
  // One grid, so that every row lines up across the page: two blocks of ten
  // families (label, code box, grade box) under their "Default Grade"
  // headings, and on the right the other boxes, one per family row.
  auto* grid = new QGridLayout(this);
  constexpr int kRightColumn = 8;
  for (int family = 0; family < kFamilyCount; ++family) {
    const int column = family / kFamiliesPerBlock * 4;
    const int row = family % kFamiliesPerBlock + 1;
    if (row == 1) {
      grid->addWidget(new QLabel(tr("Code")), 0, column + 1);
      grid->addWidget(new QLabel(tr("Default Grade")), 0, column + 2);
    }
    m_codes[family] = MakeBox(kCodeLimit, kCodeWidth,
                              QStringLiteral("MaterialCode%1").arg(family));
    m_grades[family] = MakeBox(kGradeLimit, kGradeWidth,
                               QStringLiteral("DefaultGrade%1").arg(family));
    auto* label = new QLabel(tr(kFamilyLabels[family]));
    label->setBuddy(m_codes[family]);
    grid->addWidget(label, row, column);
    grid->addWidget(m_codes[family], row, column + 1);
    grid->addWidget(m_grades[family], row, column + 2);
  }
  m_discard = new QCheckBox(tr("&Discard in output"));
  m_discard->setObjectName(QStringLiteral("DiscardInOutput"));
  grid->addWidget(m_discard, kFamiliesPerBlock + 1, 5, 1, 2);

  m_defaultGrade =
      MakeBox(kCodeLimit, kRightWidth, QStringLiteral("OverallDefaultGrade"));
  for (int entry = kFamilyCount; entry < kMaterialCodeCount; ++entry) {
    m_codes[entry] = MakeBox(kCodeLimit, kRightWidth,
                             QStringLiteral("MaterialCode%1").arg(entry));
  }
  m_diameter = MakeBox(kCodeLimit, kRightWidth, QStringLiteral("Diameter"));
  m_leftRight = MakeBox(kCodeLimit, kRightWidth, QStringLiteral("LeftRight"));
  m_left = MakeBox(kCodeLimit, kRightWidth, QStringLiteral("Left"));
  m_right = MakeBox(kCodeLimit, kRightWidth, QStringLiteral("Right"));
  m_schedule = MakeBox(kCodeLimit, kRightWidth, QStringLiteral("Schedule"));
  m_useHss = new QCheckBox(tr("Use &HSS For Tubes"));
  m_useHss->setObjectName(QStringLiteral("UseHssForTubes"));

  const std::pair<const char*, QLineEdit*> rightRows[] = {
      {QT_TR_NOOP("Default Grade"), m_defaultGrade},
      {QT_TR_NOOP("Standard Pipe Prefix"), m_codes[kCodeStandardPipe]},
      {QT_TR_NOOP("Extra Heavy Pipe Prefix"), m_codes[kCodeExtraHeavyPipe]},
      {QT_TR_NOOP("Double Extra Heavy Pipe Prefix"),
       m_codes[kCodeDoubleExtraHeavyPipe]},
      {QT_TR_NOOP("Gage Abbreviation"), m_codes[kCodeGage]},
      {QT_TR_NOOP("Diameter Abbreviation"), m_diameter},
      {QT_TR_NOOP("Left/Right Indicator"), m_leftRight},
      {QT_TR_NOOP("Left Indicator"), m_left},
      {QT_TR_NOOP("Right Indicator"), m_right},
      {QT_TR_NOOP("Schedule Indicator"), m_schedule},
  };
  int row = 1;
  for (const auto& [text, box] : rightRows) {
    auto* label = new QLabel(tr(text));
    label->setBuddy(box);
    grid->addWidget(label, row, kRightColumn);
    grid->addWidget(box, row, kRightColumn + 1);
    ++row;
  }
  grid->addWidget(m_useHss, row, kRightColumn, 1, 2);

  auto* note = new QLabel(
      tr("A description belongs to a family when it begins with its code "
         "(Rods, Pipe and Bolts: when it holds the code anywhere)."));
  note->setObjectName(QStringLiteral("FamilyNote"));
  grid->addWidget(note, row + 1, 0, 1, kRightColumn + 2);

  // Gaps between the blocks; spare room goes below the rows.
  grid->setColumnMinimumWidth(3, 12);
  grid->setColumnMinimumWidth(7, 12);
  grid->setRowStretch(row + 2, 1);
}
