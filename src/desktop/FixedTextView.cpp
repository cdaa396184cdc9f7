// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/FixedTextView.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>

QPlainTextEdit* CreateFixedTextView(QWidget* parent,
                                    const QString& objectName) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  font.setFixedPitch(true);
  font.setStyleHint(QFont::TypeWriter);

  auto* view = new QPlainTextEdit(parent);
  view->setObjectName(objectName);
  view->setFont(font);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  return view;
}

QSize FixedTextDialogSize(const QPlainTextEdit& view, int columns, int lines) {
  const QFontMetrics metrics(view.font());
  return QSize(
      metrics.horizontalAdvance(QString(columns, QLatin1Char('0'))) + 60,
      metrics.lineSpacing() * lines + 80);
}
