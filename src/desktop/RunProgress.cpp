// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/RunProgress.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <climits>

#include "desktop/AppTexts.h"

namespace {

int ToInt(size_t value) {
  return value > static_cast<size_t>(INT_MAX) ? INT_MAX
                                              : static_cast<int>(value);
}

}  // namespace

CRunProgress::CRunProgress(QWidget* parent, const QString& verb,
                           size_t fileCount)
    : m_strVerb(verb), m_nFiles(fileCount) {
  if (fileCount < 2) return;
  m_pDialog = std::make_unique<QProgressDialog>(
      QString(), QStringLiteral("&Cancel"), 0, ToInt(fileCount), parent);
  m_pDialog->setObjectName(QStringLiteral("runProgress"));
  m_pDialog->setWindowTitle(QString::fromLatin1(kAppTitle));
  m_pDialog->setWindowModality(Qt::WindowModal);
  m_pDialog->setAutoReset(false);
  m_pDialog->setAutoClose(false);
  m_pDialog->setMinimumDuration(0);
  m_pDialog->setMinimumWidth(360);
  m_pDialog->show();
}

CRunProgress::~CRunProgress() = default;

bool CRunProgress::Next(size_t index, const std::string& path) {
  if (!m_pDialog) return true;
  if (m_pDialog->wasCanceled()) return false;
  const QString name =
      QFileInfo(QString::fromLocal8Bit(path.data(),
                                       static_cast<qsizetype>(path.size())))
          .fileName();
  m_pDialog->setLabelText(QStringLiteral("%1 file %2 of %3:\n%4")
                              .arg(m_strVerb)
                              .arg(index + 1)
                              .arg(m_nFiles)
                              .arg(name));
  m_pDialog->setValue(ToInt(index));
  QCoreApplication::processEvents();
  return !m_pDialog->wasCanceled();
}
