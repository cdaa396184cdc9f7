// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

#include "config/Configuration.h"

class IPrompts;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The "Columns" page: the column definitions of a configuration. The page
// works directly on the list handed to it by SetColumns; its buttons add,
// insert, update and remove definitions there and in the page's list at the
// same time. A press of Insert Before, Update or Remove without a selected
// line shows a message through `prompts` and changes nothing. Enter in the
// header field does what Add does, or Update while a line is selected.
class CConfigColumns : public QWidget {
  Q_OBJECT

 public:
  explicit CConfigColumns(IPrompts& prompts, QWidget* parent = nullptr);

  // From now on the page edits `columns`, which must outlive the page. The
  // list is refilled with one line per definition, in order. Until this is
  // called the page edits a list of its own, which starts empty.
  void SetColumns(std::vector<CConfigColumnItem>* columns);

  // The controls, for tests and screenshots.
  QLineEdit* HeaderEdit() const { return m_header; }
  QComboBox* TypeCombo() const { return m_type; }
  QCheckBox* FractionsCheck() const { return m_fractions; }
  QTreeWidget* List() const { return m_list; }
  QPushButton* AddButton() const { return m_add; }
  QPushButton* InsertButton() const { return m_insert; }
  QPushButton* UpdateButton() const { return m_update; }
  QPushButton* RemoveButton() const { return m_remove; }
  QPushButton* RemoveAllButton() const { return m_removeAll; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnHeaderEdited(const QString& text);
  void OnSelectionChanged();
  void OnAdd();
  void OnInsertBefore();
  void OnUpdate();
  void OnRemove();
  void OnRemoveAll();

  // The three fields as a column definition; a type drop-down without a
  // choice gives "None".
  CConfigColumnItem TakeFields() const;
  void ShowFields(const CConfigColumnItem& item);
  // Header "", type "None", fraction flag off.
  void ClearFields();
  // Index of the selected line, or -1.
  int SelectedLine() const;
  static QTreeWidgetItem* MakeLine(const CConfigColumnItem& item);
  void ShowMessage(const char* text);

  IPrompts& m_prompts;
  std::vector<CConfigColumnItem> m_ownColumns;
  std::vector<CConfigColumnItem>* m_pColumns = &m_ownColumns;

  QLineEdit* m_header;
  QComboBox* m_type;
  QCheckBox* m_fractions;
  QTreeWidget* m_list;
  QPushButton* m_add;
  QPushButton* m_insert;
  QPushButton* m_update;
  QPushButton* m_remove;
  QPushButton* m_removeAll;
};
