// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fixed texts of the desktop program.

#include <QString>

// The application title: the main dialog's title and the caption of every
// message box that has no caption of its own.
inline constexpr const char* kAppTitle = "Kelconv Conversion Utility";

// Where the configuration used last is remembered.
inline constexpr const char* kSettingsOrganisation = "Orvandel Kelconv";
inline constexpr const char* kSettingsApplication =
    "Kelconv Conversion Utility";
inline constexpr const char* kSettingsLastConfigKey =
    "Configuration/LastConfigurationFile";

// Messages of the main dialog's actions (job/ConversionRun.h has those
// that close a Convert or Export).
inline constexpr const char* kMsgInvalidInput =
    "Please specify a valid input file.";
inline constexpr const char* kMsgPreviewConfigDoesNotApply =
    "Configuration Does Not Apply to Input File (must match at least mark, "
    "quantity and material columns)";

// The title of a window that shows a file: "Preview - sample.orb" for the
// title "Preview" and the path "/jobs/sample.orb"; the title alone when the
// path is empty.
inline QString TitleWithFile(const char* title, const QString& path) {
  const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
  const QString text = QString::fromLatin1(title);
  return name.isEmpty() ? text : text + QStringLiteral(" - ") + name;
}
