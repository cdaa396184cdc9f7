#include "config/editor/ConfigMaterials.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int kCodeLimit = 15;
constexpr int kGradeLimit = 10;
constexpr int kFamiliesPerBlock = 10;

const char* const kFamilyLabels[kFamilyCount] = {
    "W",    "S",     "M",      "HP",     "WT",   "ST",     "MT",
    "C",    "MC",    "Plates", "Chk.Pl", "Bars", "Angles", "Tubes",
    "Rods", "Rebar", "Pipe",   "Bolts",  "Misc", "MM"};

QLineEdit* MakeBox(int limit, const QString& name) {
  auto* box = new QLineEdit;
  box->setMaxLength(limit);
  box->setObjectName(name);
  return box;
}

}  // namespace

CConfigMaterials::CConfigMaterials(QWidget* parent) : QWidget(parent) {
  // Two blocks of ten families: label, code box, grade box.
  auto* blocks = new QHBoxLayout;
  QGridLayout* grid = nullptr;
  for (int family = 0; family < kFamilyCount; ++family) {
    if (family % kFamiliesPerBlock == 0) {
      grid = new QGridLayout;
      grid->addWidget(new QLabel(tr("Default Grade")), 0, 2);
      blocks->addLayout(grid);
    }
    const int row = family % kFamiliesPerBlock + 1;
    m_codes[family] =
        MakeBox(kCodeLimit, QStringLiteral("MaterialCode%1").arg(family));
    m_grades[family] =
        MakeBox(kGradeLimit, QStringLiteral("DefaultGrade%1").arg(family));
    auto* label = new QLabel(tr(kFamilyLabels[family]));
    label->setBuddy(m_codes[family]);
    grid->addWidget(label, row, 0);
    grid->addWidget(m_codes[family], row, 1);
    grid->addWidget(m_grades[family], row, 2);
  }
  m_discard = new QCheckBox(tr("Discard in output"));
  m_discard->setObjectName(QStringLiteral("DiscardInOutput"));
  grid->addWidget(m_discard, kFamiliesPerBlock + 1, 1, 1, 2);

  m_defaultGrade = MakeBox(kCodeLimit, QStringLiteral("OverallDefaultGrade"));
  for (int entry = kFamilyCount; entry < kMaterialCodeCount; ++entry) {
    m_codes[entry] =
        MakeBox(kCodeLimit, QStringLiteral("MaterialCode%1").arg(entry));
  }
  m_diameter = MakeBox(kCodeLimit, QStringLiteral("Diameter"));
  m_leftRight = MakeBox(kCodeLimit, QStringLiteral("LeftRight"));
  m_left = MakeBox(kCodeLimit, QStringLiteral("Left"));
  m_right = MakeBox(kCodeLimit, QStringLiteral("Right"));
  m_schedule = MakeBox(kCodeLimit, QStringLiteral("Schedule"));
  m_useHss = new QCheckBox(tr("Use HSS For Tubes"));
  m_useHss->setObjectName(QStringLiteral("UseHssForTubes"));

  auto* right = new QFormLayout;
  right->addRow(tr("Default Grade"), m_defaultGrade);
  right->addRow(tr("Standard Pipe Prefix"), m_codes[kCodeStandardPipe]);
  right->addRow(tr("Extra Heavy Pipe Prefix"), m_codes[kCodeExtraHeavyPipe]);
  right->addRow(tr("Double Extra Heavy Pipe Prefix"),
                m_codes[kCodeDoubleExtraHeavyPipe]);
  right->addRow(tr("Gage Abbreviation"), m_codes[kCodeGage]);
  right->addRow(tr("Diameter Abbreviation"), m_diameter);
  right->addRow(tr("Left/Right Indicator"), m_leftRight);
  right->addRow(tr("Left Indicator"), m_left);
  right->addRow(tr("Right Indicator"), m_right);
  right->addRow(tr("Schedule Indicator"), m_schedule);
  right->addRow(m_useHss);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(blocks);
  layout->addSpacing(12);
  layout->addLayout(right);
}
