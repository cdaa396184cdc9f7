// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/FileFilters.h"

#include <QFileInfo>
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

FileKind KindOfFile(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("orb") || suffix == QLatin1String("dxf") ||
      suffix == QLatin1String("pdf")) {
    return FileKind::kDrawing;
  }
  return suffix == QLatin1String("cfg") ? FileKind::kConfiguration
                                        : FileKind::kOther;
}
