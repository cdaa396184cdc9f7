// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/QtPrompts.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

namespace {

QString ApplyDefaultSuffix(const QString& path, const QString& suffix) {
  if (path.isEmpty() || suffix.isEmpty()) return path;
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QLatin1Char('.') + suffix;
}

// Room for the name, size, type and date columns of the detail view.
constexpr int kChooserWidth = 900;
constexpr int kChooserHeight = 540;

}  // namespace

QString FirstFilterSuffix(const QString& filter) {
  static const QRegularExpression firstPattern(
      QStringLiteral("\\(\\s*\\*\\.([A-Za-z0-9_]+)[\\s)]"));
  const QRegularExpressionMatch match = firstPattern.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

void FitCaption(QMessageBox& box) {
  // The title bar holds an icon and up to three buttons beside the caption.
  constexpr int kTitleBarExtras = 160;
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  const int width =
      box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarExtras;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum,
                                QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

void SizeChooser(QFileDialog& chooser) {
  QSize size(kChooserWidth, kChooserHeight);
  const QWidget* parent = chooser.parentWidget();
  if (const QScreen* screen =
          parent != nullptr ? parent->screen() : chooser.screen()) {
    size = size.boundedTo(screen->availableGeometry().size());
  }
  chooser.resize(size.expandedTo(chooser.minimumSizeHint()));
}

void CQtPrompts::ShowMessage(QWidget* parent, const QString& text,
                             const QString& caption, MessageLevel level) {
  const QMessageBox::Icon icon =
      level == MessageLevel::kError     ? QMessageBox::Critical
      : level == MessageLevel::kWarning ? QMessageBox::Warning
                                        : QMessageBox::Information;
  QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("&OK"));
  FitCaption(box);
  box.exec();
}

bool CQtPrompts::AskYesNo(QWidget* parent, const QString& text,
                          const QString& caption) {
  QMessageBox box(QMessageBox::Question, caption, text,
                  QMessageBox::Yes | QMessageBox::No, parent);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Yes"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&No"));
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  FitCaption(box);
  return box.exec() == QMessageBox::Yes;
}

int CQtPrompts::RunDialog(QDialog& dialog) { return dialog.exec(); }

QStringList CQtPrompts::GetOpenFileNames(QWidget* parent,
                                         const QString& caption,
                                         const QString& startPath,
                                         const QString& filter) {
  QFileDialog chooser(parent, caption, startPath, filter);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::ExistingFiles);
  SizeChooser(chooser);
  if (chooser.exec() != QDialog::Accepted) return {};
  return chooser.selectedFiles();
}

QString CQtPrompts::GetOpenFileName(QWidget* parent, const QString& caption,
                                    const QString& startPath,
                                    const QString& filter) {
  QFileDialog chooser(parent, caption, startPath, filter);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::AnyFile);
  SizeChooser(chooser);
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
  // Whoever writes the file decides what happens to an existing one.
  chooser.setOption(QFileDialog::DontConfirmOverwrite);
  QString suffix = defaultSuffix;
  if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
  chooser.setDefaultSuffix(suffix);
  SizeChooser(chooser);
  if (chooser.exec() != QDialog::Accepted) return {};
  const QStringList chosen = chooser.selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}
