// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "config/Configuration.h"

class QCheckBox;
class QLineEdit;

// The "Materials" page: per shape family a material code (at most 15
// characters) and a default grade (at most 10), and on the right the overall
// default grade, the pipe prefixes, the gage abbreviation and the
// indicators (each at most 15), with the switches "Use HSS For Tubes" and
// "Discard in output". The code boxes stand under the heading "Code", and a
// line under the rows says how a description belongs to a family. The page
// only shows values; CopyToSheet and CopyFromSheet move them to and from
// the configuration.
class CConfigMaterials : public QWidget {
  Q_OBJECT

 public:
  explicit CConfigMaterials(QWidget* parent = nullptr);

  // Box of material code entry 0 to 23: the twenty families, then the
  // standard, extra heavy and double extra heavy pipe prefixes and the gage
  // abbreviation. Throws std::out_of_range for any other entry.
  QLineEdit* CodeBox(int entry) const { return m_codes.at(entry); }
  // Default grade box of family 0 to 19; throws for any other.
  QLineEdit* GradeBox(int family) const { return m_grades.at(family); }
  QLineEdit* DefaultGradeBox() const { return m_defaultGrade; }
  QLineEdit* DiameterBox() const { return m_diameter; }
  QLineEdit* LeftRightBox() const { return m_leftRight; }
  QLineEdit* LeftBox() const { return m_left; }
  QLineEdit* RightBox() const { return m_right; }
  QLineEdit* ScheduleBox() const { return m_schedule; }
  QCheckBox* UseHssCheck() const { return m_useHss; }
  QCheckBox* DiscardCheck() const { return m_discard; }

 private:
  std::array<QLineEdit*, kMaterialCodeCount> m_codes{};
  std::array<QLineEdit*, kDefaultGradeCount> m_grades{};
  QLineEdit* m_defaultGrade;
  QLineEdit* m_diameter;
  QLineEdit* m_leftRight;
  QLineEdit* m_left;
  QLineEdit* m_right;
  QLineEdit* m_schedule;
  QCheckBox* m_useHss;
  QCheckBox* m_discard;
};
