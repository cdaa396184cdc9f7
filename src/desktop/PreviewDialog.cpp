// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/PreviewDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "desktop/FileFilters.h"
#include "desktop/ProgramSettings.h"
#include "desktop/Prompts.h"
#include "input/Orb.h"
#include "desktop/FixedTextView.h"
#include "desktop/ReportDialog.h"
#include "desktop/StandardButtons.h"
#include "writers/OutputFile.h"

namespace {

// The widest KEL record and a comfortable number of lines.
constexpr int kShownColumns = 132;
constexpr int kShownLines = 30;

}  // namespace

QString PreviewText(const std::string& bytes) {
  QString text =
      QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  // The text box makes a line break of a CR on its own as well.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

int WriteBytesToFile(const QString& path, const std::string& bytes) {
  const QByteArray name = QFile::encodeName(path);
  return ReplaceWholeFile(std::string(name.constData(),
                                      static_cast<size_t>(name.size())),
                          bytes) == 0
             ? 0
             : -1;
}

CPreviewDialog::CPreviewDialog(QWidget* parent, IPrompts& prompts,
                               std::string jobNumber, std::string jobName,
                               std::string customer)
    : QDialog(parent),
      m_prompts(prompts),
      m_strJobNumber(std::move(jobNumber)),
      m_strJobName(std::move(jobName)),
      m_strCustomer(std::move(customer)) {
  setObjectName(QStringLiteral("PreviewDialog"));
  setWindowTitle(QStringLiteral("Preview"));
  setSizeGripEnabled(true);

  m_pText = CreateFixedTextView(this, QStringLiteral("previewText"));
  m_pText->setProperty("controlId", 1062);
  m_pText->setWordWrapMode(QTextOption::NoWrap);
  m_pText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_pText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* box = new QDialogButtonBox(this);
  QPushButton* ok = box->addButton(QDialogButtonBox::Ok);
  SetStandardMnemonics(*box);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setProperty("controlId", 1);
  ok->setDefault(true);
  m_pSave =
      box->addButton(QStringLiteral("&Save"), QDialogButtonBox::ActionRole);
  m_pSave->setObjectName(QStringLiteral("save"));
  m_pSave->setProperty("controlId", 1064);
  m_pSave->setAutoDefault(false);
  m_pDetails = box->addButton(QStringLiteral("&Details..."),
                              QDialogButtonBox::ActionRole);
  m_pDetails->setObjectName(QStringLiteral("details"));
  m_pDetails->setAutoDefault(false);
  m_pDetails->hide();  // until there is a report to show
  connect(box, &QDialogButtonBox::accepted, this, &CPreviewDialog::accept);
  connect(m_pSave, &QPushButton::clicked, this, &CPreviewDialog::Save);
  connect(m_pDetails, &QPushButton::clicked, this,
          &CPreviewDialog::ShowDetails);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pText);
  layout->addWidget(box);

  const QFontMetrics metrics(m_pText->font());
  m_pText->setMinimumSize(metrics.horizontalAdvance(QLatin1Char('0')) * 40,
                          metrics.lineSpacing() * 8);
  resize(FixedTextDialogSize(*m_pText, kShownColumns, kShownLines));
}

void CPreviewDialog::SetDocument(COrb& orb) {
  std::string text;
  orb.WriteKelFile("", 0, &text, m_strJobNumber, m_strJobName, m_strCustomer,
                   0);
  m_pText->setPlainText(PreviewText(text));
  m_pText->document()->setModified(false);
}

void CPreviewDialog::SetSaveStart(const QString& path, const char* chooser) {
  m_strSaveStart = path;
  m_pSaveChooser = chooser;
}

void CPreviewDialog::done(int result) {
  if (m_pText->document()->isModified() &&
      !m_prompts.AskYesNo(this, QStringLiteral("Discard your changes?"),
                          windowTitle())) {
    return;
  }
  QDialog::done(result);
}

void CPreviewDialog::SetDetails(const QString& report) {
  m_strDetails = report;
  m_pDetails->show();
}

void CPreviewDialog::ShowDetails() {
  CReportDialog details(this, m_strDetails);
  m_prompts.RunDialog(details);
}

std::string CPreviewDialog::TextBytes() const {
  // toRawText keeps characters that toPlainText would change (a no-break
  // space would become a blank); blocks end in U+2029.
  QString text = m_pText->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void CPreviewDialog::Save() {
  const std::string bytes = TextBytes();
  const QString caption = QStringLiteral("Save As");
  const QString path = m_prompts.GetSaveFileName(
      this, caption, m_strSaveStart, QtFileFilter(kFilterKel),
      QStringLiteral("kel"));
  if (path.isEmpty()) return;
  m_strSaveStart = path;
  if (m_pSaveChooser != nullptr) {
    WriteChooserFolder(m_pSaveChooser, QFileInfo(path).absolutePath());
  }
  if (QFileInfo::exists(path) &&
      !m_prompts.AskYesNo(
          this,
          QStringLiteral("\"%1\" exists already.\nReplace it?").arg(path),
          caption)) {
    return;
  }
  if (WriteBytesToFile(path, bytes) == 0) {
    m_pText->document()->setModified(false);
    m_prompts.ShowMessage(this, QStringLiteral("Success"),
                          QStringLiteral("File Saved"),
                          MessageLevel::kInformation);
  } else {
    m_prompts.ShowMessage(this, QStringLiteral("Failure"),
                          QStringLiteral("Unable to save file."),
                          MessageLevel::kError);
  }
}
