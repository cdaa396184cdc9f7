// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "config/Configuration.h"

class QCheckBox;
class QLineEdit;

// The "Fractions" page: the texts that stand for 1/16 to 15/16 inch (each at
// most 20 characters) and "Case Sensitive", which shows the inverse of the
// configuration's ignore-case flag.
class CConfigFractions : public QWidget {
  Q_OBJECT

 public:
  explicit CConfigFractions(QWidget* parent = nullptr);

  // Box of fraction entry k (0 to 14, for (k+1)/16); throws for any other.
  QLineEdit* FractionBox(int k) const { return m_fractions.at(k); }
  QCheckBox* CaseSensitiveCheck() const { return m_caseSensitive; }

 private:
  std::array<QLineEdit*, kFractionCount> m_fractions{};
  QCheckBox* m_caseSensitive;
};
