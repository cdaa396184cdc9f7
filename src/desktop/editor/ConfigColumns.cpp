// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/editor/ConfigColumns.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/AppTexts.h"
#include "desktop/Prompts.h"
#include "desktop/editor/EditorText.h"

namespace {

const char* const kNoneType = "None";

QStringList SortedTypeNames() {
  QStringList names;
  for (const char* name : kColumnTypeNames) names << QString::fromLatin1(name);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

// Upper case for the ASCII letters only; every other character stays.
QString UpperAscii(QString text) {
  for (QChar& c : text) {
    if (c >= u'a' && c <= u'z') c = QChar(c.unicode() - (u'a' - u'A'));
  }
  return text;
}

// Width of the longest item of `combo`, with room for the margins of a list
// cell.
int TextWidth(const QFontMetrics& metrics, const QComboBox* combo) {
  constexpr int kCellMargins = 12;
  int widest = 0;
  for (int i = 0; i < combo->count(); ++i) {
    widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)));
  }
  return widest + kCellMargins;
}

}  // namespace

CConfigColumns::CConfigColumns(IPrompts& prompts, QWidget* parent)
    : QWidget(parent), m_prompts(prompts) {
  m_header = new QLineEdit;
  m_header->setObjectName(QStringLiteral("ColumnHeader"));
  m_type = new QComboBox;
  m_type->setObjectName(QStringLiteral("ColumnType"));
  m_type->addItems(SortedTypeNames());
  m_type->setCurrentText(QString::fromLatin1(kNoneType));
  m_fractions = new QCheckBox(tr("(check for &fractions)"));
  m_fractions->setObjectName(QStringLiteral("ColumnFractions"));

  auto* fields = new QFormLayout;
  fields->addRow(tr("Column Header"), m_header);
  fields->addRow(tr("Column Type"), m_type);
  fields->addRow(tr("Fraction Substitution"), m_fractions);

  m_list = new QTreeWidget;
  m_list->setObjectName(QStringLiteral("ColumnList"));
  m_list->setColumnCount(3);
  m_list->setHeaderLabels({tr("Header"), tr("Type"), tr("Fractions")});
  m_list->setRootIsDecorated(false);
  m_list->setItemsExpandable(false);
  m_list->setUniformRowHeights(true);
  m_list->setAllColumnsShowFocus(true);
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_list->header()->setStretchLastSection(false);
  // 90, 83 and 55 pixels, or wider where the font needs it for the column
  // titles and the longest type name.
  const int typeWidth = TextWidth(m_list->fontMetrics(), m_type);
  const int widths[] = {90, std::max(83, typeWidth), 55};
  int listWidth = 0;
  for (int column = 0; column < 3; ++column) {
    const int width =
        std::max(widths[column], m_list->header()->sectionSizeHint(column));
    m_list->setColumnWidth(column, width);
    listWidth += width;
  }
  m_list->setMinimumWidth(listWidth + 2 * m_list->frameWidth());

  m_add = new QPushButton(tr("&Add"));
  m_insert = new QPushButton(tr("&Insert Before"));
  m_update = new QPushButton(tr("&Update"));
  m_remove = new QPushButton(tr("&Remove"));
  m_removeAll = new QPushButton(tr("R&emove All"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button :
       {m_add, m_insert, m_update, m_remove, m_removeAll}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addWidget(m_list, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);

  connect(m_header, &QLineEdit::textEdited, this,
          &CConfigColumns::OnHeaderEdited);
  // Enter in the header field adds (or updates) the column instead of
  // closing the sheet.
  m_header->installEventFilter(this);
  connect(m_list, &QTreeWidget::itemSelectionChanged, this,
          &CConfigColumns::OnSelectionChanged);
  connect(m_add, &QPushButton::clicked, this, &CConfigColumns::OnAdd);
  connect(m_insert, &QPushButton::clicked, this,
          &CConfigColumns::OnInsertBefore);
  connect(m_update, &QPushButton::clicked, this, &CConfigColumns::OnUpdate);
  connect(m_remove, &QPushButton::clicked, this, &CConfigColumns::OnRemove);
  connect(m_removeAll, &QPushButton::clicked, this,
          &CConfigColumns::OnRemoveAll);
}

void CConfigColumns::SetColumns(std::vector<CConfigColumnItem>* columns) {
  m_pColumns = columns;
  const QSignalBlocker blocker(m_list);
  m_list->clear();
  for (const CConfigColumnItem& item : *m_pColumns) {
    m_list->addTopLevelItem(MakeLine(item));
  }
}

bool CConfigColumns::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_header && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (SelectedLine() >= 0) {
        OnUpdate();
      } else {
        OnAdd();
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CConfigColumns::OnHeaderEdited(const QString& text) {
  const QString upper = UpperAscii(text);
  if (upper == text) return;
  const int cursor = m_header->cursorPosition();
  m_header->setText(upper);
  m_header->setCursorPosition(cursor);
}

void CConfigColumns::OnSelectionChanged() {
  const int line = SelectedLine();
  if (line >= 0) ShowFields((*m_pColumns)[line]);
}

void CConfigColumns::OnAdd() {
  const CConfigColumnItem item = TakeFields();
  m_pColumns->push_back(item);
  m_list->addTopLevelItem(MakeLine(item));
  ClearFields();
}

void CConfigColumns::OnInsertBefore() {
  const int line = SelectedLine();
  if (line < 0) {
    ShowMessage("Select a point to insert at");
    return;
  }
  const CConfigColumnItem item = TakeFields();
  m_pColumns->insert(m_pColumns->begin() + line, item);
  m_list->insertTopLevelItem(line, MakeLine(item));
  ClearFields();
}

void CConfigColumns::OnUpdate() {
  const int line = SelectedLine();
  if (line < 0) {
    ShowMessage("Select the column to update");
    return;
  }
  const CConfigColumnItem item = TakeFields();
  (*m_pColumns)[line] = item;
  {
    // The line is replaced by a new one, which is not selected.
    const QSignalBlocker blocker(m_list);
    delete m_list->takeTopLevelItem(line);
    m_list->insertTopLevelItem(line, MakeLine(item));
    m_list->clearSelection();
  }
  ClearFields();
}

void CConfigColumns::OnRemove() {
  const int line = SelectedLine();
  if (line < 0) {
    ShowMessage("Select A Column To Remove");
    return;
  }
  m_pColumns->erase(m_pColumns->begin() + line);
  // No other line takes the selection, so the fields keep their texts.
  const QSignalBlocker blocker(m_list);
  delete m_list->takeTopLevelItem(line);
  m_list->clearSelection();
}

void CConfigColumns::OnRemoveAll() {
  m_pColumns->clear();
  const QSignalBlocker blocker(m_list);
  m_list->clear();
}

CConfigColumnItem CConfigColumns::TakeFields() const {
  CConfigColumnItem item;
  item.m_strHeader = BoxText(m_header);
  item.m_strType = m_type->currentIndex() < 0 ? std::string(kNoneType)
                                              : ToBytes(m_type->currentText());
  item.m_bFractions = m_fractions->isChecked();
  return item;
}

void CConfigColumns::ShowFields(const CConfigColumnItem& item) {
  SetBoxText(m_header, item.m_strHeader);
  // A type name that is none of the 24 (only a hand-made file holds one)
  // leaves the drop-down without a choice.
  m_type->setCurrentIndex(m_type->findText(FromBytes(item.m_strType)));
  m_fractions->setChecked(item.m_bFractions);
}

void CConfigColumns::ClearFields() {
  m_header->clear();
  m_type->setCurrentText(QString::fromLatin1(kNoneType));
  m_fractions->setChecked(false);
}

int CConfigColumns::SelectedLine() const {
  const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
  if (selected.isEmpty()) return -1;
  return m_list->indexOfTopLevelItem(selected.front());
}

QTreeWidgetItem* CConfigColumns::MakeLine(const CConfigColumnItem& item) {
  return new QTreeWidgetItem(
      QStringList{FromBytes(item.m_strHeader), FromBytes(item.m_strType),
                  item.m_bFractions ? QStringLiteral("Y") : QString()});
}

void CConfigColumns::ShowMessage(const char* text) {
  m_prompts.ShowMessage(this, QString::fromLatin1(text),
                        QString::fromLatin1(kAppTitle), MessageLevel::kWarning);
}
