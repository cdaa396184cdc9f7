// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Editing rules of the job fields of the main dialog. Each returns the text
// the field must hold after a change; a result equal to the input means the
// field is left as typed.

// "Job #": every blank and every one of \ / , ; ^ + [ ] " = * ? | < > is
// removed, and the rest cut to its first 8 characters.
QString CleanJobNumber(const QString& text);

// "Job Name" and "Customer": a text of more than 50 characters is cut to its
// first 50.
QString CleanJobText(const QString& text);

inline constexpr int kJobNumberLength = 8;
inline constexpr int kJobTextLength = 50;
