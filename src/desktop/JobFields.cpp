// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/JobFields.h"

QString CleanJobNumber(const QString& text) {
  static const QString kRemoved = QStringLiteral(" \\/,;^+[]\"=*?|<>");
  QString cleaned;
  cleaned.reserve(text.size());
  for (const QChar c : text) {
    if (!kRemoved.contains(c)) cleaned += c;
  }
  return cleaned.left(kJobNumberLength);
}

QString CleanJobText(const QString& text) { return text.left(kJobTextLength); }
