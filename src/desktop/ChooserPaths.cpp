// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ChooserPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

bool HasWildcards(const QString& name) {
  return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// The folder of a path, or the path itself when it is a folder.
QString FolderOf(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty()) return QString();
  return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

// The entries of a field, without their quotes; empty ones are left out.
QStringList FieldEntries(const QString& field) {
  QStringList entries;
  for (QString entry : field.split(QLatin1Char(';'))) {
    entry = entry.trimmed();
    if (entry.startsWith(QLatin1Char('"'))) entry.remove(0, 1);
    if (entry.endsWith(QLatin1Char('"'))) entry.chop(1);
    if (!entry.isEmpty()) entries << entry;
  }
  return entries;
}

}  // namespace

QString FirstFieldPath(const QString& field) {
  return FieldEntries(field).value(0);
}

QString ChooserStart(const QString& field, const QString& lastFolder,
                     const QString& name) {
  QString folder = FolderOf(FirstFieldPath(field));
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = lastFolder;
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  folder = QDir::cleanPath(folder);
  if (name.isEmpty()) return folder;
  return folder.endsWith(QLatin1Char('/')) ? folder + name
                                           : folder + QLatin1Char('/') + name;
}

QString FieldFileName(const QString& field) {
  const QString path = FirstFieldPath(field);
  const QFileInfo info(path);
  if (path.isEmpty() || info.isDir() || HasWildcards(info.fileName())) {
    return QString();
  }
  return info.fileName();
}

QString SuggestedOutputName(const QString& input, const QString& suffix) {
  const QStringList entries = FieldEntries(input);
  if (entries.isEmpty()) return QString();
  const QFileInfo info(entries.front());
  QString base;
  if (entries.size() > 1 || HasWildcards(info.fileName())) {
    base = QFileInfo(info.absolutePath()).fileName();
  } else {
    base = info.completeBaseName();
  }
  return base.isEmpty() ? QString() : base + suffix;
}
