// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/PreviewDialog.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "MainDialogFixture.h"
#include "desktop/ProgramSettings.h"
#include "input/Orb.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The main dialog's folder and questions; the preview is opened without it.
class PreviewDialogTest : public CMainDialogFixture {
 protected:
  // A document read from `drawing` with the test configuration applied.
  std::unique_ptr<COrb> Configured(const std::string& drawing) {
    auto orb = std::make_unique<COrb>();
    EXPECT_EQ(
        orb->ReadOrbFile(m_dir.Write("p.orb", drawing), false, false, nullptr),
        0);
    EXPECT_EQ(orb->ApplyConfiguration(m_config), 0);
    return orb;
  }
  // What the KEL writer makes of `orb` in memory.
  static std::string KelText(COrb& orb) {
    std::string text;
    orb.WriteKelFile("", 0, &text, "", "", "", 0);
    return text;
  }
};

TEST_F(PreviewDialogTest, ShowsTheWholeKelText) {
  // About 300 items make a text well beyond 10000 bytes.
  std::string drawing =
      "(5 9000 0),MARK\r\n(15 9000 0),QTY\r\n(25 9000 0),DESCRIPTION\r\n"
      "(45 9000 0),LENGTH\r\n";
  for (int i = 0; i < 300; ++i) {
    const std::string y = std::to_string(8990 - 10 * i);
    drawing += "(5 " + y + " 0),M" + std::to_string(i) + "\r\n(15 " + y +
               " 0),1\r\n(25 " + y + " 0),W8X31\r\n(45 " + y + " 0),10'\r\n";
  }
  std::unique_ptr<COrb> orb = Configured(drawing);
  const std::string expected = KelText(*orb);
  EXPECT_GT(expected.size(), 10000u);
  CPreviewDialog preview(nullptr, m_prompts, "", "", "");
  preview.SetDocument(*orb);
  EXPECT_EQ(preview.TextBytes(), expected);

  // Rows without items give an empty text box.
  COrb empty;
  preview.SetDocument(empty);
  EXPECT_EQ(preview.TextBox()->toPlainText(), "");
}

TEST_F(PreviewDialogTest, SavesTheTextAsShownByteForByte) {
  std::unique_ptr<COrb> orb = Configured(kTopDownDrawing);
  CPreviewDialog preview(nullptr, m_prompts, "", "", "");
  preview.SetDocument(*orb);
  // An edited text with bytes beyond ASCII (a no-break space among them)
  // and no line break at its end.
  const std::string edited = "EDITED \xE9\xA0 LINE\r\n" + KelText(*orb) + "END";
  preview.TextBox()->setPlainText(PreviewText(edited));
  const std::string path = m_dir.Path("saved.kel");
  preview.SetSaveStart(Q(m_dir.Path("start.kel")), "Save");
  m_prompts.QueueSaveFileName(Q(path));
  preview.SaveButton()->click();
  EXPECT_EQ(TempDir::Read(path), edited);
  EXPECT_EQ(m_prompts.Requests()[0].startPath, Q(m_dir.Path("start.kel")));
  EXPECT_EQ(ReadChooserFolder("Save"), Q(m_dir.Path("")).chopped(1));
  EXPECT_EQ(m_prompts.MessageTexts(), QStringList{"Success"});
  EXPECT_EQ(m_prompts.Messages().at(0).caption, "File Saved");
  EXPECT_EQ(m_prompts.Requests()[0].filter, "KEL Files (*.kel);;All Files (*)");

  // An existing file is replaced only when the user says so; a shorter
  // text truncates it. The next chooser starts at the file chosen last.
  preview.TextBox()->setPlainText("x");
  for (const bool replace : {false, true}) {
    m_prompts.ClearRecord();
    m_prompts.QueueSaveFileName(Q(path));
    m_prompts.QueueAnswer(replace);
    preview.SaveButton()->click();
    EXPECT_EQ(TempDir::Read(path), replace ? "x" : edited);
    EXPECT_EQ(m_prompts.Requests()[0].startPath, Q(path));
    EXPECT_EQ(m_prompts.Requests()[1].text,
              Q("\"" + path + "\" exists already.\nReplace it?"));
  }

  // A failure is reported; a cancelled chooser says nothing.
  m_prompts.ClearRecord();
  m_prompts.QueueSaveFileName(Q(m_dir.Path("no/such/dir/x.kel")));
  m_prompts.QueueSaveFileName("");
  preview.SaveButton()->click();
  preview.SaveButton()->click();
  EXPECT_EQ(m_prompts.MessageTexts(), QStringList{"Failure"});
  EXPECT_EQ(m_prompts.Messages().at(0).caption, "Unable to save file.");
}

// Closing after an edit asks before the edit is lost; closing without
// one, or after saving it, does not.
TEST_F(PreviewDialogTest, AsksBeforeEditsAreLost) {
  std::unique_ptr<COrb> orb = Configured(kTopDownDrawing);
  const std::string saved = m_dir.Write("edit.kel", "");
  // Edited, saved since, the answer to "Discard your changes?" (-1: not
  // asked), whether OK or Escape then close the preview.
  const int cases[][4] = {{0, 0, -1, 1}, {1, 0, 0, 0}, {1, 0, 1, 1},
                          {1, 1, -1, 1}};
  for (const auto& [edit, save, answer, closed] : cases) {
    for (const bool escape : {false, true}) {
      SCOPED_TRACE(testing::Message() << edit << save << answer << escape);
      CPreviewDialog preview(nullptr, m_prompts, "", "", "");
      preview.SetDocument(*orb);
      preview.show();
      if (edit) QTest::keyClicks(preview.TextBox(), "EDIT");
      if (save) {
        m_prompts.QueueSaveFileName(Q(saved));
        m_prompts.QueueAnswer(true);  // replace it
        preview.SaveButton()->click();
      }
      m_prompts.ClearRecord();
      if (answer >= 0) m_prompts.QueueAnswer(answer == 1);
      if (escape) QTest::keyClick(&preview, Qt::Key_Escape);
      if (!escape) preview.findChild<QPushButton*>("ok")->click();
      EXPECT_EQ(preview.isVisible(), closed == 0);
      QStringList asked;
      for (const auto& request : m_prompts.Requests()) asked << request.text;
      EXPECT_EQ(asked, answer >= 0 ? QStringList{"Discard your changes?"}
                                   : QStringList());
    }
  }
}

}  // namespace
