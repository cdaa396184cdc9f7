#include "viewers/ReportDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  font.setFixedPitch(true);
  font.setStyleHint(QFont::TypeWriter);

  m_pText = new QPlainTextEdit(this);
  m_pText->setObjectName(QStringLiteral("reportText"));
  m_pText->setFont(font);
  m_pText->setReadOnly(true);
  m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pText->setPlainText(report);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(box, &QDialogButtonBox::rejected, this, &CReportDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pText);
  layout->addWidget(box);

  const QFontMetrics metrics(font);
  resize(
      metrics.horizontalAdvance(QString(kShownColumns, QLatin1Char('0'))) + 60,
      metrics.lineSpacing() * kShownLines + 80);
}
