// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string>

class COrb;
class IPrompts;
class QPlainTextEdit;
class QPushButton;

// "Preview": the KEL text of one configured document in an editable,
// fixed-pitch text box without line wrapping, with "OK" (the default) and
// "Save", which writes the text as shown to a file of the user's choice.
// Closing it (OK, Escape, the close box) after the text was edited and not
// saved since asks "Discard your changes?"; No keeps it open.
// Once given the conversion report of the document (SetDetails), it also
// has "Details...", which shows that report in a dialog of its own.
class CPreviewDialog : public QDialog {
  Q_OBJECT

 public:
  // The job strings are passed on to the KEL writer.
  CPreviewDialog(QWidget* parent, IPrompts& prompts, std::string jobNumber,
                 std::string jobName, std::string customer);

  // Renders `orb` (its configuration applied) through the KEL writer into
  // memory and shows the text; whatever the writer produced before a failure
  // is shown. Call once, before the dialog runs.
  void SetDocument(COrb& orb);

  // The text box's contents as bytes: Latin-1, every line break as CR LF,
  // nothing added at the end.
  std::string TextBytes() const;

  // Asks for a file name and writes TextBytes() to it (created or
  // truncated), then says "Success" ("File Saved") or "Failure" ("Unable to
  // save file."). Nothing happens when the chooser is cancelled, or when
  // the file exists and the user does not want it replaced.
  void Save();
  // Save's chooser starts at `path` (later at the file last chosen); the
  // folder chosen is kept as chooser `chooser`'s (ProgramSettings.h), when
  // given.
  void SetSaveStart(const QString& path, const char* chooser);

  // Asks before edits are lost (see above).
  void done(int result) override;

  // Shows "Details..." for `report` (the conversion report of the document
  // given to SetDocument, as text).
  void SetDetails(const QString& report);
  const QString& Details() const { return m_strDetails; }
  // Runs the "Details" dialog with the report.
  void ShowDetails();

  QPlainTextEdit* TextBox() const { return m_pText; }
  QPushButton* SaveButton() const { return m_pSave; }
  QPushButton* DetailsButton() const { return m_pDetails; }

 private:
  IPrompts& m_prompts;
  std::string m_strJobNumber;
  std::string m_strJobName;
  std::string m_strCustomer;
  QString m_strDetails;
  QString m_strSaveStart;
  const char* m_pSaveChooser = nullptr;
  QPlainTextEdit* m_pText;
  QPushButton* m_pSave;
  QPushButton* m_pDetails;
};

// Shows `bytes` (Latin-1, CR LF line ends) as text; the inverse of the
// conversion TextBytes does.
QString PreviewText(const std::string& bytes);

// Replaces the file at `path` with `bytes`, whole or not at all
// (writers/OutputFile.h). Returns 0 on success, -1 when the file cannot be
// written; it is then left as it was.
int WriteBytesToFile(const QString& path, const std::string& bytes);
