// SPDX-License-Identifier: GPL-3.0-or-later
// What the main dialog shows of the rebuilt table: "Details..." of a
// preview, and "Show table" of the graphic display.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "MainDialogFixture.h"
#include "Screenshots.h"
#include "job/ConversionJob.h"
#include "job/ConversionReport.h"
#include "desktop/MainDialog.h"
#include "desktop/OrbGraphic.h"
#include "desktop/PreviewDialog.h"
#include "desktop/ReportDialog.h"
#include "desktop/TableOverlay.h"
#include "TestRequest.h"

namespace {

namespace Control = MainDialogControl;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The report without its "Job" section, which names the output.
QString WithoutJob(const QString& report) {
  return report.mid(report.indexOf(QStringLiteral("\n\nReading\n")));
}

class TableAndDetailsTest : public CMainDialogFixture {
 protected:
  // The text report of a KEL conversion of `input` by the job; `kel` gets
  // the output.
  QString JobReport(const std::string& input, std::string& kel) const {
    CRecordingJobUi ui;
    CConversionJob job(ui, m_discard);
    CConversionReport report;
    job.SetReport(&report);
    const std::string output = m_dir.Path("job.kel");
    EXPECT_EQ(job.ConvertFile(TestRequest(input, output, m_config)), 0);
    kel = TempDir::Read(output);
    return Q(FormatReportText(report));
  }

};

// The preview shows the job's KEL text of the first match, and its details
// the job's report. The bottom-up drawing fits only when read upside down.
TEST_F(TableAndDetailsTest, PreviewShowsTheJobsTextAndReport) {
  for (const char* drawing : {kTopDownDrawing, kBottomUpDrawing}) {
    const std::string input = m_dir.Write("p.orb", drawing);
    std::string kel;
    const QString expected = JobReport(input, kel);
    ASSERT_FALSE(kel.empty());
    QString shown;
    m_prompts.QueueDialog([&](QDialog& dialog) {
      auto& preview = static_cast<CPreviewDialog&>(dialog);
      EXPECT_EQ(preview.windowTitle(), "Preview - p.orb");
      EXPECT_EQ(preview.TextBytes(), kel);
      preview.DetailsButton()->click();
      return CScriptedPrompts::Accept(dialog);
    });
    m_prompts.QueueDialog([&](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Details");
      shown = static_cast<CReportDialog&>(dialog).TextBox()->toPlainText();
      return CScriptedPrompts::Reject(dialog);
    });
    SetPaths(m_dir.Path("p.*"), "", m_config);
    Click(Control::kPreview);
    EXPECT_TRUE(m_prompts.MessageTexts().isEmpty());
    // The preview's report is the job's, but for the output it names.
    EXPECT_EQ(shown, m_dialog->PreviewReport());
    EXPECT_EQ(WithoutJob(shown), WithoutJob(expected));
    EXPECT_TRUE(shown.contains("output: the preview"));
    EXPECT_TRUE(shown.contains("outcome: previewed, nothing was written"));
    EXPECT_EQ(shown.contains("bottom to top (inverted)"),
              drawing == kBottomUpDrawing);
  }

  // A preview that shows nothing leaves no report behind.
  SetPaths(m_dir.Write("f.orb", kForeignDrawing), "", m_config);
  Click(Control::kPreview);
  EXPECT_EQ(m_prompts.MessageTexts().size(), 1);
  EXPECT_TRUE(m_dialog->PreviewReport().isEmpty());
}

TEST_F(TableAndDetailsTest, ShowTableBuildsTheTableAsTheJobDoes) {
  // Mirrored left to right and drawn bottom up: the job reads it inverted.
  const std::string input = m_dir.Write("u.orb", kBottomUpDrawing);
  SetPaths(input, "", m_config);
  m_dialog->findChild<QCheckBox*>(Control::kInvertX)->setChecked(true);
  Click(Control::kDisplay);
  COrbGraphic* graphic = m_dialog->Graphic();
  ASSERT_NE(graphic, nullptr);
  EXPECT_EQ(graphic->Table(), nullptr);  // off until asked for
  graphic->ShowTableBox()->click();
  ASSERT_NE(graphic->Table(), nullptr);
  EXPECT_EQ(graphic->Table()->m_status, OverlayStatus::kApplies);
  EXPECT_TRUE(graphic->Table()->m_bInverted);
  // The display keeps its own reading: mirrored, no discard list.
  EXPECT_EQ(m_dialog->DisplayedDocument()->m_texts[0].m_text, "2'");

  // The next Display keeps "Show table", with the paths it takes then.
  SetPaths(input, "", m_dir.Path("missing.cfg"));
  Click(Control::kDisplay);
  graphic = m_dialog->Graphic();
  EXPECT_TRUE(graphic->ShowTableBox()->isChecked());
  EXPECT_EQ(graphic->StatusLine()->text(),
            "Table: the configuration file cannot be read");
  graphic->ShowTableBox()->click();
  SetPaths(m_dir.Write("t.orb", kTopDownDrawing), "", m_config);
  Click(Control::kDisplay);
  EXPECT_EQ(m_dialog->Graphic()->Table(), nullptr);
  // The discard list is the job's: "OF MATERIAL" is cut from the title.
  m_dialog->Graphic()->SetShowTable(true);
  EXPECT_EQ(m_dialog->Graphic()->Table()->m_texts[0].m_text, "BILL");
}

TEST_F(TableAndDetailsTest, Screenshots) {
  const std::string input = KELCONV_EXAMPLES "/sample.orb";
  const std::string config = KELCONV_EXAMPLES "/sample.cfg";
  m_prompts.QueueDialog([](QDialog& dialog) {
    SaveScreenshot(dialog, "preview");
    static_cast<CPreviewDialog&>(dialog).DetailsButton()->click();
    return CScriptedPrompts::Accept(dialog);
  });
  m_prompts.QueueDialog([](QDialog& dialog) {
    SaveScreenshot(dialog, "details");
    return CScriptedPrompts::Reject(dialog);
  });
  SetPaths(input, "", config);
  Click(Control::kPreview);
  EXPECT_TRUE(m_prompts.MessageTexts().isEmpty());
}

}  // namespace
