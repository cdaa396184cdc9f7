// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/QtPrompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QString ApplyDefaultSuffix(const QString& path, const QString& suffix) {
  if (path.isEmpty() || suffix.isEmpty()) return path;
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + suffix;
}

}  // namespace

QString FirstFilterSuffix(const QString& filter) {
  static const QRegularExpression firstPattern(
      QStringLiteral("\\(\\s*\\*\\.([A-Za-z0-9_]+)[\\s)]"));
  const QRegularExpressionMatch match = firstPattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

void CQtPrompts::ShowMessage(QWidget* parent, const QString& text,
                             const QString& caption) {
  QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok,
                  parent);
  box.exec();
}

int CQtPrompts::RunDialog(QDialog& dialog) { return dialog.exec(); }

QStringList CQtPrompts::GetOpenFileNames(QWidget* parent,
                                         const QString& caption,
                                         const QString& startPath,
                                         const QString& filter) {
  return QFileDialog::getOpenFileNames(parent, caption, startPath, filter);
}

QString CQtPrompts::GetOpenFileName(QWidget* parent, const QString& caption,
                                    const QString& startPath,
                                    const QString& filter) {
  QFileDialog chooser(parent, caption, startPath, filter);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::AnyFile);
  const QString suffix = FirstFilterSuffix(filter);
  while (chooser.exec() == QDialog::Accepted) {
    const QStringList chosen = chooser.selectedFiles();
    if (chosen.isEmpty()) return {};
    const QString path = ApplyDefaultSuffix(chosen.front(), suffix);
    if (QFileInfo::exists(path)) return path;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        parent, caption,
        QStringLiteral("%1\nThis file does not exist.\nCreate the file?")
            .arg(path),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) return path;
  }
  return {};
}

QString CQtPrompts::GetSaveFileName(QWidget* parent, const QString& caption,
                                    const QString& startPath,
                                    const QString& filter,
                                    const QString& defaultSuffix) {
  QFileDialog chooser(parent, caption, startPath, filter);
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.setFileMode(QFileDialog::AnyFile);
  // The program asks about an existing output itself when it writes.
  chooser.setOption(QFileDialog::DontConfirmOverwrite);
  QString suffix = defaultSuffix;
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  chooser.setDefaultSuffix(suffix);
  if (chooser.exec() != QDialog::Accepted) return {};
  const QStringList chosen = chooser.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}
