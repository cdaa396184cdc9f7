// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <string>

class QProgressDialog;
class QWidget;

// The progress of a run over several input files: a window-modal progress
// dialog with Cancel, shown only when the run has more than one file, and
// updated between files on the one thread.
class CRunProgress {
 public:
  // `verb` names the work in the label ("Converting", "Exporting").
  CRunProgress(QWidget* parent, const QString& verb, size_t fileCount);
  ~CRunProgress();
  CRunProgress(const CRunProgress&) = delete;
  CRunProgress& operator=(const CRunProgress&) = delete;

  // Announces file `index` (0-based) before it is processed. Returns false
  // when the user cancelled: the run must stop before this file.
  bool Next(size_t index, const std::string& path);

  // The progress dialog, or nullptr for a single file.
  QProgressDialog* Dialog() const { return m_pDialog.get(); }

 private:
  QString m_strVerb;
  size_t m_nFiles;
  std::unique_ptr<QProgressDialog> m_pDialog;
};
