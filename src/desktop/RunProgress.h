// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "job/ConversionRun.h"

class QProgressDialog;
class QWidget;

// The progress of a run over several input files: a window-modal progress
// dialog with Cancel, shown from the first file on when the run has more
// than one, and updated between files on the one thread.
class CRunProgress : public IRunObserver {
 public:
  // `verb` names the work in the label ("Converting", "Exporting").
  CRunProgress(QWidget* parent, const QString& verb);
  ~CRunProgress() override;
  CRunProgress(const CRunProgress&) = delete;
  CRunProgress& operator=(const CRunProgress&) = delete;

  // Announces file `index` (0-based) of `count` before it is processed.
  // Returns false when the user cancelled: the run must stop before this
  // file.
  bool StartFile(size_t index, size_t count, const std::string& path) override;

  // The progress dialog, or nullptr before the first of several files.
  QProgressDialog* Dialog() const { return m_pDialog.get(); }

 private:
  QWidget* m_pParent;
  QString m_strVerb;
  std::unique_ptr<QProgressDialog> m_pDialog;
};
