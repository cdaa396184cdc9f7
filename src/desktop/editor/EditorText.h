// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the configuration editor moves texts between the configuration's
// single-byte strings and the widgets.

#include <QLineEdit>
#include <QString>
#include <string>

// The configuration's strings are bytes in Latin-1: every byte maps to one
// character and back, so any text of a file survives a trip through the
// editor unchanged. Characters typed outside Latin-1 are stored as "?".
inline QString FromBytes(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ToBytes(const QString& text) {
  return text.toLatin1().toStdString();
}

// Shows `text` in `box`. A box that is limited to N characters does not
// accept more when typing; a longer text that came from the file is shown
// whole (the limit grows to its length), so that it is stored back unchanged
// unless the user edits it.
inline void SetBoxText(QLineEdit* box, const std::string& text) {
  const QString shown = FromBytes(text);
  if (shown.size() > box->maxLength()) {
    box->setMaxLength(static_cast<int>(shown.size()));
  }
  box->setText(shown);
}
inline std::string BoxText(const QLineEdit* box) {
  return ToBytes(box->text());
}

// Gives `box` room for about `chars` average characters of its font.
inline void SetWidthInChars(QLineEdit* box, int chars) {
  constexpr int kFrameAndMargins = 12;
  box->setMinimumWidth(box->fontMetrics().averageCharWidth() * chars +
                       kFrameAndMargins);
}
