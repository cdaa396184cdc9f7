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

CRunProgress::CRunProgress(QWidget* parent, const QString& verb)
    : m_pParent(parent), m_strVerb(verb) {}

CRunProgress::~CRunProgress() = default;

bool CRunProgress::StartFile(size_t index, size_t count,
                             const std::string& path) {
  if (count < 2) return true;
  if (!m_pDialog) {
    m_pDialog = std::make_unique<QProgressDialog>(
        QString(), QStringLiteral("&Cancel"), 0, ToInt(count), m_pParent);
    m_pDialog->setObjectName(QStringLiteral("runProgress"));
    m_pDialog->setWindowTitle(QString::fromLatin1(kAppTitle));
    m_pDialog->setWindowModality(Qt::WindowModal);
    m_pDialog->setAutoReset(false);
    m_pDialog->setAutoClose(false);
    m_pDialog->setMinimumDuration(0);
    m_pDialog->setMinimumWidth(360);
    m_pDialog->show();
  }
  if (m_pDialog->wasCanceled()) return false;
  const QString name =
      QFileInfo(QString::fromLocal8Bit(path.data(),
                                       static_cast<qsizetype>(path.size())))
          .fileName();
  m_pDialog->setLabelText(QStringLiteral("%1 file %2 of %3:\n%4")
                              .arg(m_strVerb)
                              .arg(index + 1)
                              .arg(count)
                              .arg(name));
  m_pDialog->setValue(ToInt(index));
  QCoreApplication::processEvents();
  return !m_pDialog->wasCanceled();
}
