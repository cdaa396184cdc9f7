// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/FileFilters.h"

#include <QStringList>

QString QtFileFilter(const char* filter) {
  const QStringList parts = QString::fromLatin1(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    QStringList patterns;
    for (QString pattern : parts[i + 1].split(QLatin1Char(';'))) {
      pattern = pattern.trimmed();
      if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
      if (!pattern.isEmpty()) patterns << pattern;
    }
    if (description.isEmpty() || patterns.isEmpty()) continue;
    const qsizetype open = description.indexOf(QLatin1Char('('));
    if (open >= 0) description = description.left(open).trimmed();
    entries << QStringLiteral("%1 (%2)").arg(description,
                                             patterns.join(QLatin1Char(' ')));
  }
  return entries.join(QStringLiteral(";;"));
}
