// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class QPlainTextEdit;
class QWidget;

// The text area of the preview and of the details: a 10-point fixed-pitch
// font, lines never wrapped. Owned by `parent`.
QPlainTextEdit* CreateFixedTextView(QWidget* parent, const QString& objectName);

// A dialog size that shows `columns` characters by `lines` lines of the
// view's font, with room for the frame and a row of buttons.
QSize FixedTextDialogSize(const QPlainTextEdit& view, int columns, int lines);
