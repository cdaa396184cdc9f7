// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "config/Configuration.h"

class QLineEdit;

// The "Misc" page: six search/replace pairs, without a length limit, and a
// note on where they are applied.
class CConfigMisc : public QWidget {
  Q_OBJECT

 public:
  explicit CConfigMisc(QWidget* parent = nullptr);

  // Boxes of pair i (0 to 5); throw for any other.
  QLineEdit* SearchBox(int i) const { return m_search.at(i); }
  QLineEdit* ReplaceBox(int i) const { return m_replace.at(i); }

 private:
  std::array<QLineEdit*, kSearchReplaceCount> m_search{};
  std::array<QLineEdit*, kSearchReplaceCount> m_replace{};
};
