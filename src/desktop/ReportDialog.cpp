// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/ReportDialog.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop/FixedTextView.h"
#include "desktop/StandardButtons.h"

namespace {

// Room for the report's longer lines and a screenful of them.
constexpr int kShownColumns = 100;
constexpr int kShownLines = 32;

}  // namespace

CReportDialog::CReportDialog(QWidget* parent, const QString& report)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ReportDialog"));
  setWindowTitle(QStringLiteral("Details"));
  setSizeGripEnabled(true);

  m_pText = CreateFixedTextView(this, QStringLiteral("reportText"));
  m_pText->setReadOnly(true);
  m_pText->setPlainText(report);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
  SetStandardMnemonics(*box);
  connect(box, &QDialogButtonBox::rejected, this, &CReportDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pText);
  layout->addWidget(box);

  resize(FixedTextDialogSize(*m_pText, kShownColumns, kShownLines));
}
