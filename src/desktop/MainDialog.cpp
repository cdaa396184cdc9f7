// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/MainDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QIcon>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>
#include <cerrno>
#include <exception>

#include "desktop/AboutDialog.h"
#include "desktop/AppTexts.h"
#include "desktop/ChooserPaths.h"
#include "job/ConversionJob.h"
#include "job/ConversionReport.h"
#include "job/ConversionRun.h"
#include "desktop/DialogJobUi.h"
#include "desktop/ExportOptionsDialog.h"
#include "desktop/FileFilters.h"
#include "desktop/HelpWindow.h"
#include "desktop/JobFields.h"
#include "desktop/PageDialog.h"
#include "job/PatternExpansion.h"
#include "desktop/ProgramIcon.h"
#include "desktop/Prompts.h"
#include "desktop/RunProgress.h"
#include "config/Archive.h"
#include "desktop/editor/ConfigEditor.h"
#include "input/DiscardList.h"
#include "input/InputFile.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"
#include "desktop/OrbGraphic.h"
#include "desktop/PreviewDialog.h"
#include "desktop/TableOverlay.h"
#include "desktop/WindowPlacement.h"

namespace {

namespace Control = MainDialogControl;

// Paths are handed to the file system in the local 8-bit encoding; texts of
// the job are single-byte.
std::string LocalPath(const QString& path) {
  return path.toLocal8Bit().toStdString();
}
QString FromLocalPath(const std::string& path) {
  return QString::fromLocal8Bit(path.data(),
                                static_cast<qsizetype>(path.size()));
}
std::string JobText(const QString& text) {
  return text.toLatin1().toStdString();
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int id) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setProperty("controlId", id);
  return edit;
}

QPushButton* MakeButton(QWidget* parent, const QString& text, const char* name,
                        int id) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setProperty("controlId", id);
  button->setAutoDefault(false);
  return button;
}

// The conversion report of a previewed document, as text, once the preview
// has written its KEL text: the job of the preview writes to memory. Takes
// the document's texts and rows.
QString PreviewReportText(const std::string& inputPath,
                          const std::string& configPath, COrb& document,
                          COrbRecord& record, bool inverted,
                          bool invertedTried) {
  CConversionReport report;
  report.Start(inputPath, configPath, false);
  report.m_strOutput = "the preview";
  report.m_outcome = ReportOutcome::kPreviewed;
  report.m_bInvertedTried = invertedTried;
  report.m_bKelWriter = true;
  report.TakeDocument(document, record, inverted, true);
  report.Finish();
  const std::string text = FormatReportText(report);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The choosers, as their last folders are kept in the settings.
const char* const kInputChooser = "Input";
const char* const kOutputChooser = "Output";
const char* const kConfigChooser = "Config";
const char* const kSaveChooser = "Save";

void RememberFolder(const char* chooser, const QString& chosen) {
  WriteChooserFolder(chooser, QFileInfo(chosen).absolutePath());
}

// Where `chooser` starts for the path in `field`, with its file name.
QString FieldStart(const QString& field, const char* chooser) {
  return ChooserStart(field, ReadChooserFolder(chooser), FieldFileName(field));
}

// Drawings and the first configuration among dropped files, in the order
// they were dropped.
struct SDroppedFiles {
  std::vector<std::string> drawings;
  QString config;
};
SDroppedFiles SortDroppedFiles(const QMimeData* data) {
  SDroppedFiles dropped;
  if (data == nullptr || !data->hasUrls()) return dropped;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    switch (KindOfFile(path)) {
      case FileKind::kDrawing:
        dropped.drawings.push_back(LocalPath(path));
        break;
      case FileKind::kConfiguration:
        if (dropped.config.isEmpty()) dropped.config = path;
        break;
      case FileKind::kOther:
        break;
    }
  }
  return dropped;
}

// A small arrow pointing down, in the text colour of `widget`.
QIcon DropDownArrow(const QWidget* widget) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(widget->palette().color(QPalette::Text));
  painter.drawPolygon(QPolygonF({QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)}));
  painter.end();
  return QIcon(pixmap);
}

// Gives `edit` a drop-down of `menu` at its right end, opened also by
// Alt+Down in the edit.
void AttachDropDown(QLineEdit* edit, QMenu* menu) {
  QAction* open =
      edit->addAction(DropDownArrow(edit), QLineEdit::TrailingPosition);
  open->setToolTip(QStringLiteral("Recent"));
  const auto popup = [edit, menu] {
    menu->popup(edit->mapToGlobal(edit->rect().bottomLeft()));
  };
  QObject::connect(open, &QAction::triggered, menu, popup);
  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Down), edit,
                                 nullptr, nullptr, Qt::WidgetShortcut);
  QObject::connect(shortcut, &QShortcut::activated, menu, popup);
}

}  // namespace

CMainDialog::CMainDialog(IPrompts& prompts, std::string discardListPath,
                         QWidget* parent)
    : QDialog(parent),
      m_prompts(prompts),
      m_strDiscardListPath(std::move(discardListPath)) {
  setObjectName(QStringLiteral("MainDialog"));
  setWindowTitle(QString::fromLatin1(kAppTitle));
  setWindowIcon(ProgramIcon());
  setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

  m_pInputEdit = MakeEdit(this, Control::kInputFile, 1000);
  m_pOutputEdit = MakeEdit(this, Control::kOutputFile, 1002);
  m_pConfigEdit = MakeEdit(this, Control::kConfigFile, 1003);
  m_pJobNumberEdit = MakeEdit(this, Control::kJobNumber, 1104);
  m_pJobNameEdit = MakeEdit(this, Control::kJobName, 1106);
  m_pCustomerEdit = MakeEdit(this, Control::kCustomer, 1108);
  for (QLineEdit* edit : {m_pInputEdit, m_pOutputEdit, m_pConfigEdit}) {
    edit->setMinimumWidth(340);
    edit->setAcceptDrops(false);  // files dropped on them go to the dialog
  }
  setAcceptDrops(true);

  // Every button has its own mnemonic; the three Browse... buttons take
  // the letters after B that no other control uses.
  auto* browseInput = MakeButton(this, QStringLiteral("&Browse..."),
                                 Control::kBrowseInput, 1004);
  auto* display =
      MakeButton(this, QStringLiteral("&Display"), Control::kDisplay, 1015);
  auto* browseOutput = MakeButton(this, QStringLiteral("B&rowse..."),
                                  Control::kBrowseOutput, 1006);
  auto* preview =
      MakeButton(this, QStringLiteral("&Preview"), Control::kPreview, 1012);
  auto* browseConfig = MakeButton(this, QStringLiteral("Bro&wse..."),
                                  Control::kBrowseConfig, 1008);
  auto* edit =
      MakeButton(this, QStringLiteral("&Edit..."), Control::kEdit, 1010);
  auto* convert =
      MakeButton(this, QStringLiteral("&Convert"), Control::kConvert, 3);
  convert->setAutoDefault(true);
  convert->setDefault(true);
  auto* exportButton =
      MakeButton(this, QStringLiteral("Expor&t"), Control::kExport, 1071);
  auto* exitButton =
      MakeButton(this, QStringLiteral("Ex&it"), Control::kExit, 2);
  auto* help = MakeButton(this, QStringLiteral("&Help"), Control::kHelp, 57670);

  m_pInvertX = new QCheckBox(QStringLiteral("Invert &X-Axis"), this);
  m_pInvertX->setObjectName(QString::fromLatin1(Control::kInvertX));
  m_pInvertX->setProperty("controlId", 1058);
  m_pInvertY = new QCheckBox(QStringLiteral("Invert &Y-Axis"), this);
  m_pInvertY->setObjectName(QString::fromLatin1(Control::kInvertY));
  m_pInvertY->setProperty("controlId", 1060);

  // Paths: label, edit, Browse..., and the action that belongs to the path.
  auto* paths = new QGridLayout;
  paths->setColumnStretch(1, 1);
  const struct {
    const char* label;
    QLineEdit* edit;
    QPushButton* browse;
    QPushButton* action;
  } rows[] = {{"I&nput File", m_pInputEdit, browseInput, display},
              {"&Output File", m_pOutputEdit, browseOutput, preview},
              {"Config &File", m_pConfigEdit, browseConfig, edit}};
  int row = 0;
  for (const auto& r : rows) {
    auto* label = new QLabel(QString::fromLatin1(r.label), this);
    label->setBuddy(r.edit);
    paths->addWidget(label, row, 0);
    paths->addWidget(r.edit, row, 1);
    paths->addWidget(r.browse, row, 2);
    paths->addWidget(r.action, row, 3);
    ++row;
  }
  // The mirror options of Display, under the paths they apply to.
  auto* options = new QHBoxLayout;
  options->addWidget(m_pInvertX);
  options->addSpacing(16);
  options->addWidget(m_pInvertY);
  options->addStretch(1);
  paths->addLayout(options, row, 1, 1, 3);

  // The job fields are kept, with their editing rules, but never shown.
  auto* jobFields = new QHBoxLayout;
  const struct {
    const char* label;
    const char* name;
    int id;
    QLineEdit* edit;
  } jobRows[] = {{"Job #", Control::kJobNumberLabel, 1110, m_pJobNumberEdit},
                 {"Job Name", Control::kJobNameLabel, 1112, m_pJobNameEdit},
                 {"Customer", Control::kCustomerLabel, 1114, m_pCustomerEdit}};
  for (const auto& r : jobRows) {
    auto* label = new QLabel(QString::fromLatin1(r.label), this);
    label->setObjectName(QString::fromLatin1(r.name));
    label->setProperty("controlId", r.id);
    label->setBuddy(r.edit);
    jobFields->addWidget(label);
    jobFields->addWidget(r.edit);
    label->hide();
    r.edit->hide();
  }

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help);
  buttons->addStretch(1);
  buttons->addWidget(convert);
  buttons->addWidget(exportButton);
  buttons->addWidget(exitButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(paths);
  layout->addLayout(jobFields);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  setMinimumWidth(sizeHint().width());
  setMaximumHeight(sizeHint().height());

  auto* about = new QAction(QStringLiteral("&About..."), this);
  about->setObjectName(QString::fromLatin1(Control::kAboutAction));
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);

  m_pRecentInputs = new QMenu(this);
  m_pRecentInputs->setObjectName(QString::fromLatin1(Control::kRecentInputs));
  m_pRecentConfigs = new QMenu(this);
  m_pRecentConfigs->setObjectName(
      QString::fromLatin1(Control::kRecentConfigs));
  AttachDropDown(m_pInputEdit, m_pRecentInputs);
  AttachDropDown(m_pConfigEdit, m_pRecentConfigs);
  RefreshRecentMenus();

  // Focus moves as the controls stand: the rows of paths, the mirror
  // options, then the buttons at the bottom from left to right.
  QWidget* const chain[] = {m_pInputEdit, browseInput,  display,
                            m_pOutputEdit, browseOutput, preview,
                            m_pConfigEdit, browseConfig, edit,
                            m_pInvertX,    m_pInvertY,   help,
                            convert,       exportButton, exitButton};
  for (size_t i = 1; i < std::size(chain); ++i) {
    setTabOrder(chain[i - 1], chain[i]);
  }

  connect(browseInput, &QPushButton::clicked, this,
          &CMainDialog::OnBrowseInput);
  connect(browseOutput, &QPushButton::clicked, this,
          &CMainDialog::OnBrowseOutput);
  connect(browseConfig, &QPushButton::clicked, this,
          &CMainDialog::OnBrowseConfig);
  connect(display, &QPushButton::clicked, this, &CMainDialog::OnDisplay);
  connect(preview, &QPushButton::clicked, this, &CMainDialog::OnPreview);
  connect(edit, &QPushButton::clicked, this, &CMainDialog::OnEdit);
  connect(convert, &QPushButton::clicked, this, &CMainDialog::OnConvert);
  connect(exportButton, &QPushButton::clicked, this, &CMainDialog::OnExport);
  connect(exitButton, &QPushButton::clicked, this, &CMainDialog::reject);
  connect(help, &QPushButton::clicked, this, &CMainDialog::OnHelp);
  connect(about, &QAction::triggered, this, &CMainDialog::OnAbout);
  connect(m_pJobNumberEdit, &QLineEdit::textChanged, this,
          &CMainDialog::CleanJobNumber);
  connect(m_pJobNameEdit, &QLineEdit::textChanged, this,
          [this] { CleanJobText(m_pJobNameEdit); });
  connect(m_pCustomerEdit, &QLineEdit::textChanged, this,
          [this] { CleanJobText(m_pCustomerEdit); });
}

CMainDialog::~CMainDialog() {
  // The window paints the document: it goes first.
  delete m_pGraphic.data();
}

void CMainDialog::SetConfigFile(const QString& path) {
  m_strConfigFile = path;
  m_pConfigEdit->setText(path);
}

SDialogFields CMainDialog::Fields() const {
  SDialogFields fields;
  fields.input = m_pInputEdit->text();
  fields.output = m_pOutputEdit->text();
  fields.config = m_pConfigEdit->text();
  fields.invertX = m_pInvertX->isChecked();
  fields.invertY = m_pInvertY->isChecked();
  return fields;
}

void CMainDialog::SetFields(const SDialogFields& fields) {
  m_pInputEdit->setText(fields.input);
  m_pOutputEdit->setText(fields.output);
  m_pConfigEdit->setText(fields.config);
  m_pInvertX->setChecked(fields.invertX);
  m_pInvertY->setChecked(fields.invertY);
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
  // Escape would end the dialog and lose the typed fields.
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void CMainDialog::dragEnterEvent(QDragEnterEvent* event) {
  const SDroppedFiles dropped = SortDroppedFiles(event->mimeData());
  if (!dropped.drawings.empty() || !dropped.config.isEmpty()) {
    event->acceptProposedAction();
  }
}

void CMainDialog::dropEvent(QDropEvent* event) {
  const SDroppedFiles dropped = SortDroppedFiles(event->mimeData());
  if (dropped.drawings.empty() && dropped.config.isEmpty()) return;
  if (!dropped.drawings.empty()) {
    m_pInputEdit->setText(FromLocalPath(JoinChosenFiles(dropped.drawings)));
  }
  if (!dropped.config.isEmpty()) m_pConfigEdit->setText(dropped.config);
  event->acceptProposedAction();
}

void CMainDialog::RefreshRecentMenus() {
  const std::pair<QMenu*, RecentList> menus[] = {
      {m_pRecentInputs, RecentList::kInputs},
      {m_pRecentConfigs, RecentList::kConfigurations}};
  for (const auto& [menu, list] : menus) {
    QLineEdit* edit =
        list == RecentList::kInputs ? m_pInputEdit : m_pConfigEdit;
    menu->clear();
    for (const QString& entry : ReadRecent(list)) {
      QString text = entry;
      QAction* action =
          menu->addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
      connect(action, &QAction::triggered, edit,
              [edit, entry] { edit->setText(entry); });
    }
    if (menu->isEmpty()) menu->addAction(QStringLiteral("(none)"))->setEnabled(false);
  }
}

void CMainDialog::TakeControlValues() {
  AddRecent(RecentList::kInputs, m_pInputEdit->text());
  AddRecent(RecentList::kConfigurations, m_pConfigEdit->text());
  RefreshRecentMenus();
  m_strInputFile = m_pInputEdit->text();
  m_strOutputFile = m_pOutputEdit->text();
  m_strConfigFile = m_pConfigEdit->text();
  m_bInvertX = m_pInvertX->isChecked();
  m_bInvertY = m_pInvertY->isChecked();
  m_strJobNumber = m_pJobNumberEdit->text();
  m_strJobName = m_pJobNameEdit->text();
  m_strCustomer = m_pCustomerEdit->text();
}

void CMainDialog::ShowMessage(const QString& text, MessageLevel level) {
  m_prompts.ShowMessage(this, text, QString::fromLatin1(kAppTitle), level);
}

void CMainDialog::CleanJobNumber() {
  const QString text = m_pJobNumberEdit->text();
  const QString cleaned = ::CleanJobNumber(text);
  if (cleaned != text) {
    m_pJobNumberEdit->setText(cleaned);
    m_pJobNumberEdit->setCursorPosition(static_cast<int>(cleaned.size()));
  }
}

void CMainDialog::CleanJobText(QLineEdit* edit) {
  const QString text = edit->text();
  const QString cleaned = ::CleanJobText(text);
  if (cleaned != text) {
    edit->setText(cleaned);
    edit->setCursorPosition(static_cast<int>(cleaned.size()));
  }
}

QString CMainDialog::OutputStart(const char* chooser,
                                const QString& suffix) const {
  const QString output = m_pOutputEdit->text();
  if (!FirstFieldPath(output).isEmpty()) return FieldStart(output, chooser);
  const QString input = m_pInputEdit->text();
  return ChooserStart(input, ReadChooserFolder(chooser),
                      SuggestedOutputName(input, suffix));
}

void CMainDialog::OnBrowseInput() {
  const QStringList chosen = m_prompts.GetOpenFileNames(
      this, QStringLiteral("Open"),
      FieldStart(m_pInputEdit->text(), kInputChooser),
      QtFileFilter(kFilterDrawings));
  if (chosen.isEmpty()) return;
  RememberFolder(kInputChooser, chosen.front());
  std::vector<std::string> paths;
  for (const QString& path : chosen) paths.push_back(LocalPath(path));
  m_pInputEdit->setText(FromLocalPath(JoinChosenFiles(paths)));
}

void CMainDialog::OnBrowseOutput() {
  const QString suffix = m_bExporting ? QStringLiteral("txt")
                                      : QStringLiteral("kel");
  const QString chosen = m_prompts.GetSaveFileName(
      this, QStringLiteral("Save As"),
      OutputStart(kOutputChooser, QLatin1Char('.') + suffix),
      QtFileFilter(m_bExporting ? kFilterExport : kFilterKel), suffix);
  if (chosen.isEmpty()) return;
  RememberFolder(kOutputChooser, chosen);
  m_pOutputEdit->setText(chosen);
}

void CMainDialog::OnBrowseConfig() {
  const QString chosen = m_prompts.GetOpenFileName(
      this, QStringLiteral("Open"),
      FieldStart(m_pConfigEdit->text(), kConfigChooser),
      QtFileFilter(kFilterCfg));
  if (chosen.isEmpty()) return;
  RememberFolder(kConfigChooser, chosen);
  m_pConfigEdit->setText(chosen);
}

void CMainDialog::RunConversion(OutputKind kind, int headerOption) {
  CDialogJobUi ui(m_prompts, this);
  CConversionJob job(ui, m_strDiscardListPath);
  CRunProgress progress(this, kind == OutputKind::kExport
                                  ? QStringLiteral("Exporting")
                                  : QStringLiteral("Converting"));
  CConversionRequest request;
  request.output = LocalPath(m_strOutputFile);
  request.config = LocalPath(m_strConfigFile);
  request.kind = kind;
  request.existing = ExistingOutput::kAsk;
  request.headerOption = headerOption;
  request.jobNumber = JobText(m_strJobNumber);
  request.jobName = JobText(m_strJobName);
  request.customer = JobText(m_strCustomer);
  const CRunResult result =
      RunConversions(job, request, {LocalPath(m_strInputFile)}, progress);
  const CClosingMessage closing =
      ClosingMessage(result, kind, RunAudience::kDialog);
  if (!closing.text.empty()) {
    ShowMessage(FromLocalPath(closing.text), closing.level);
  }
}

bool CMainDialog::ChoosePage(CInputFile& input, size_t& page) {
  page = 0;
  const size_t pages = input.DrawingCount();
  if (pages <= 1) return true;
  CPageDialog dialog(this, static_cast<int>(std::min<size_t>(pages, 1000000)));
  const int chosen = m_prompts.RunDialog(dialog);
  if (chosen <= 0) return false;
  page = static_cast<size_t>(chosen - 1);
  return true;
}

void CMainDialog::OnConvert() {
  TakeControlValues();
  m_bExporting = false;
  try {
    RunConversion(OutputKind::kKel, 0);
  } catch (const std::exception&) {
    // An exhausted resource ends the action; nothing more can be said.
  }
}

void CMainDialog::OnExport() {
  TakeControlValues();
  m_bExporting = true;
  CExportOptionsDialog options(this);
  const int headerOption = m_prompts.RunDialog(options);
  if (headerOption < 0 || headerOption > 2) return;
  try {
    RunConversion(OutputKind::kExport, headerOption);
  } catch (const std::exception&) {
  }
}

void CMainDialog::OnPreview() {
  TakeControlValues();
  m_strPreviewReport.clear();
  try {
    // One drawing is shown: of the first file of the input text, and of a
    // PDF the page the user chooses.
    const std::string path = FirstInputFile(LocalPath(m_strInputFile));
    std::vector<std::string> discardList;
    LoadDiscardList(m_strDiscardListPath, discardList);

    // What reading and table building did, for the preview's "Details...".
    COrbRecord firstRecord;
    COrbRecord secondRecord;
    // The input is read once.
    CInputFile input;
    errno = 0;
    const bool loaded = !path.empty() && input.Load(path);
    const int loadError = errno;
    size_t page = 0;
    if (loaded && !ChoosePage(input, page)) return;
    auto first = std::make_unique<COrb>();
    first->m_pRecord = &firstRecord;
    std::string readMessage;
    if (!loaded || first->ReadDrawing(input, page, false, false, &discardList,
                                      &readMessage) != 0) {
      ShowInvalidInput(path, loaded ? 0 : loadError, readMessage);
      return;
    }
    const std::string config = LocalPath(m_strConfigFile);
    std::unique_ptr<COrb> second;
    COrb* document = first.get();
    try {
      int applied = first->ApplyConfiguration(config);
      if (applied == -2) {
        second = std::make_unique<COrb>();
        second->m_pRecord = &secondRecord;
        if (second->ReadDrawing(input, page, false, true, &discardList) != 0) {
          ShowInvalidInput(path, 0);
          return;
        }
        applied = second->ApplyConfiguration(config);
        if (applied == -2) {
          ShowMessage(QString::fromLatin1(kMsgPreviewConfigDoesNotApply),
                      MessageLevel::kWarning);
          return;
        }
        document = second.get();
      }
      if (applied != 0) {
        ShowMessage(FromLocalPath(InvalidConfigMessage(config, errno)),
                    MessageLevel::kError);
        return;
      }
    } catch (const CArchiveException& damage) {
      ShowMessage(FromLocalPath(InvalidConfigMessage(config, damage)),
                  MessageLevel::kError);
      return;
    }
    CPreviewDialog preview(this, m_prompts, JobText(m_strJobNumber),
                           JobText(m_strJobName), JobText(m_strCustomer));
    preview.SetDocument(*document);
    preview.setWindowTitle(TitleWithFile("Preview", FromLocalPath(path)));
    preview.SetSaveStart(OutputStart(kSaveChooser, QStringLiteral(".kel")),
                         kSaveChooser);
    const bool inverted = document == second.get();
    m_strPreviewReport = PreviewReportText(
        path, config, *document, inverted ? secondRecord : firstRecord,
        inverted, secondRecord.m_read.m_bRead);
    preview.SetDetails(m_strPreviewReport);
    m_prompts.RunDialog(preview);
  } catch (const std::exception&) {
  }
}

void CMainDialog::OnDisplay() {
  TakeControlValues();
  delete m_pGraphic.data();
  m_pOrb.reset();

  m_pGraphic = new COrbGraphic(this);
  m_pOrb = std::make_unique<COrb>();
  m_pGraphic->SetDocument(m_pOrb.get());
  connect(m_pGraphic.data(), &COrbGraphic::Closed, this,
          &CMainDialog::OnGraphicClosed);
  // One drawing is shown: of the first file of the input text, and of a PDF
  // the page the user chooses.
  const std::string path = FirstInputFile(LocalPath(m_strInputFile));
  int read = -1;
  int error = 0;
  size_t page = 0;
  std::string readMessage;
  try {
    CInputFile input;
    errno = 0;
    if (!path.empty() && input.Load(path)) {
      if (!ChoosePage(input, page)) return;
      read = m_pOrb->ReadDrawing(input, page, m_bInvertX, m_bInvertY, nullptr,
                                 &readMessage);
    } else {
      error = errno;
    }
  } catch (const std::exception&) {
  }
  // "Show table" rebuilds the table as a conversion job would, from the
  // paths as this Display took them.
  m_pGraphic->SetTableSource(
      [path, config = LocalPath(m_strConfigFile),
       discardList = m_strDiscardListPath, page] {
        return BuildTableOverlay(path, config, discardList, page);
      },
      m_bInvertX, m_bInvertY);
  connect(m_pGraphic.data(), &COrbGraphic::ShowTableToggled, this,
          [this](bool show) { m_bShowTable = show; });
  m_pGraphic->setWindowTitle(TitleWithFile("Orb File", FromLocalPath(path)));
  if (read == 0) {
    m_pGraphic->SetShowTable(m_bShowTable);
    PlaceCentredOn(*m_pGraphic, this, m_pGraphic->size());
    m_pGraphic->showNormal();
  } else {
    ShowInvalidInput(path, error, readMessage);
  }
}

void CMainDialog::ShowInvalidInput(const std::string& path, int error,
                                   const std::string& readerMessage) {
  // A DXF or PDF reader says itself what is wrong with the file.
  const std::string text =
      !readerMessage.empty() ? readerMessage
      : path.empty()         ? std::string(kMsgInvalidInput)
                     : QuotedMessage(std::string(kMsgInvalidInput) + " ", path,
                                     SystemReason(error));
  ShowMessage(FromLocalPath(text), MessageLevel::kError);
}

void CMainDialog::OnGraphicClosed() {
  // The window deletes itself once the close is done.
  m_pGraphic = nullptr;
  m_pOrb.reset();
}

void CMainDialog::OnEdit() {
  AddRecent(RecentList::kConfigurations, m_pConfigEdit->text());
  RefreshRecentMenus();
  EditConfiguration(this, m_prompts, m_pConfigEdit->text());
}

void CMainDialog::OnHelp() {
  if (!m_pHelp) {
    m_pHelp =
        new CHelpWindow(m_prompts, FromLocalPath(m_strDiscardListPath), this);
    PlaceCentredOn(*m_pHelp, this, m_pHelp->size());
  }
  m_pHelp->show();
  m_pHelp->raise();
  m_pHelp->activateWindow();
}

void CMainDialog::OnAbout() {
  CAboutDialog about(this);
  m_prompts.RunDialog(about);
}
