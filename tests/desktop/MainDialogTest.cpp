// SPDX-License-Identifier: GPL-3.0-or-later
// The main dialog's actions, driven headless through the scripted prompts,
// and what they show of the rebuilt table: "Details..." of a preview, and
// "Show table" of the graphic display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QTest>
#include <QUrl>
#include <tuple>

#include "MainDialogFixture.h"
#include "Screenshots.h"
#include "desktop/ExportOptionsDialog.h"
#include "desktop/OrbGraphic.h"
#include "desktop/PreviewDialog.h"
#include "desktop/ReportDialog.h"
#include "desktop/TableOverlay.h"
#include "desktop/WarningDialog.h"
#include "input/Orb.h"
#include "job/ConversionReport.h"
#include "job/PatternExpansion.h"

namespace {

namespace Control = MainDialogControl;


QString Q(const std::string& text) { return QString::fromStdString(text); }

// The report without its "Job" section, which names the output.
QString WithoutJob(const QString& report) {
  return report.mid(report.indexOf(QStringLiteral("\n\nReading\n")));
}

class MainDialogTest : public CMainDialogFixture {
 protected:
  // Queues the "Export options" answer `option` (0, 1, 2; -1 cancels).
  void QueueExportOption(int option) {
    m_prompts.QueueDialog([option](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Export options");
      if (option < 0) return CScriptedPrompts::Reject(dialog);
      static_cast<CExportOptionsDialog&>(dialog).SetHeaderOption(option);
      return CScriptedPrompts::Accept(dialog);
    });
  }

  // Writes `drawings` to jobs/1.orb, jobs/2.orb... and returns the paths in
  // the order a run takes them.
  std::vector<std::string> WriteJobs(const std::vector<const char*>& drawings) {
    MakeDirectory(m_dir, "jobs");
    for (size_t i = 0; i < drawings.size(); ++i) {
      m_dir.Write("jobs/" + std::to_string(i + 1) + ".orb", drawings[i]);
    }
    return ExpandPattern(m_dir.Path("jobs/*"));
  }

  const std::string m_output = m_dir.Path("out.kel");
};

TEST_F(MainDialogTest, HiddenJobFieldsKeepTheirEditingRules) {
  QTest::keyClicks(Edit(Control::kJobNumber), "AB C/12345678");
  EXPECT_EQ(Edit(Control::kJobNumber)->text(), "ABC12345");
  EXPECT_EQ(Edit(Control::kJobNumber)->cursorPosition(), 8);
  Edit(Control::kCustomer)->setText(QString(60, 'x'));
  EXPECT_EQ(Edit(Control::kCustomer)->text(), QString(50, 'x'));
}

TEST_F(MainDialogTest, ConvertRunsEveryMatchAndAsksOnlyForTheFirst) {
  const std::vector<std::string> matches =
      WriteJobs({kTopDownDrawing, kBottomUpDrawing, kTopDownDrawing});
  m_dir.Write("out.kel", "old\r\n");
  // Three files show a progress window, one file none.
  for (const int files : {3, 1}) {
    m_prompts.QueueDialog([this, files](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Warning!");
      auto* progress = m_dialog->findChild<QProgressDialog*>();
      EXPECT_EQ(progress != nullptr, files > 1);
      EXPECT_TRUE(!progress || progress->labelText().contains("file 1 of 3"));
      static_cast<CWarningDialog&>(dialog).OverwriteButton()->click();
      return dialog.result();
    });
  }
  SetPaths(m_dir.Path("jobs/*.orb"), m_output, m_config);
  Click(Control::kConvert);
  EXPECT_EQ(m_prompts.MessageTexts(),
            QStringList{"File(s) Successfully Converted"});
  EXPECT_EQ(m_prompts.Messages()[0].caption, "Kelconv Conversion Utility");
  EXPECT_EQ(m_prompts.Messages()[0].level, MessageLevel::kInformation);
  EXPECT_EQ(TempDir::Read(m_output), Reference(matches));

  SetPaths(matches[0], m_output, m_config);
  Click(Control::kConvert);
  EXPECT_EQ(TempDir::Read(m_output), Reference({matches[0]}));
}

// What Convert says of a plain name that is not there, drawings the
// configuration does not fit, nothing at all: success is said only when
// every file was written; nothing written is an error. (Which files a run
// writes, and its counts, are the program runs'.)
TEST_F(MainDialogTest, ConvertSaysWhatBecameOfEachFile) {
  const std::string a = m_dir.Write("a.orb", kTopDownDrawing);
  const std::string f = m_dir.Write("f.orb", kForeignDrawing);
  const std::string missing = m_dir.Path("missing.orb");
  const QString doesNotApply =
      Q("Configuration Does Not Apply to Input File \"" + f +
        "\" (must match at least mark, quantity and material columns)");
  using L = MessageLevel;
  // The input, the messages and their levels, the files in the output.
  const std::tuple<std::string, QStringList, std::vector<L>,
                   std::vector<std::string>>
      cases[] = {
      {missing, {Q("Unable to open \"" + missing + "\": No such file or directory")},
       {L::kError}, {}},
      {f + ";" + f,
       {doesNotApply, doesNotApply,
        "0 of 2 files converted; 2 skipped: the configuration does not apply."},
       {L::kWarning, L::kWarning, L::kError}, {}},
      {f + ";" + a,
       {doesNotApply, "1 of 2 files converted; 1 skipped: the configuration does not apply."},
       {L::kWarning, L::kWarning}, {a}},
      {"", {"No input files matched the wildcard."}, {L::kError}, {}}};
  for (const auto& [input, messages, levels, written] : cases) {
    SCOPED_TRACE(input);
    m_prompts.ClearRecord();
    std::filesystem::remove(m_output);
    SetPaths(input, m_output, m_config);
    Click(Control::kConvert);
    EXPECT_EQ(m_prompts.MessageTexts(), messages);
    std::vector<L> shown;
    for (const auto& message : m_prompts.Messages()) shown.push_back(message.level);
    EXPECT_EQ(shown, levels);
    EXPECT_EQ(TempDir::Read(m_output),
              written.empty() ? "" : Reference(written));
  }
}

TEST_F(MainDialogTest, CancelStopsTheRun) {
  const std::vector<std::string> matches =
      WriteJobs({kTopDownDrawing, kTopDownDrawing, kTopDownDrawing});
  m_dir.Write("out.kel", "keep me\r\n");
  // Cancel in "Warning!" (or closing it) keeps the output as it is and says
  // nothing; it ends even an Export, which otherwise goes on with the next
  // pattern (and would ask again).
  QueueExportOption(0);
  m_prompts.QueueDialog(&CScriptedPrompts::Reject);
  SetPaths(m_dir.Path("jobs/*.orb") + ";" + matches[0], m_output, m_config);
  Click(Control::kExport);
  EXPECT_TRUE(m_prompts.MessageTexts().isEmpty());
  EXPECT_EQ(TempDir::Read(m_output), "keep me\r\n");
  // Cancel in the progress window stops before the next file, and says
  // how many files are in the output.
  m_prompts.QueueDialog([this](QDialog& dialog) {
    m_dialog->findChild<QProgressDialog*>()->cancel();
    static_cast<CWarningDialog&>(dialog).AppendButton()->click();
    return dialog.result();
  });
  SetPaths(m_dir.Path("jobs/*.orb"), m_output, m_config);
  Click(Control::kConvert);
  EXPECT_EQ(m_prompts.MessageTexts(),
            QStringList{"Cancelled: 1 of 3 files converted; 2 not converted."});
  EXPECT_EQ(m_prompts.Messages()[0].level, MessageLevel::kWarning);
  EXPECT_EQ(TempDir::Read(m_output), "keep me\r\n" + Reference({matches[0]}));
}

TEST_F(MainDialogTest, ExportRunsPatternsInTurn) {
  // Both entries of the first pattern fail (they are directories): only the
  // first one is tried, the other patterns are still exported, and the
  // first file written starts the output, headers included. The closing
  // message says so.
  MakeDirectory(m_dir, "bad/x.orb");
  MakeDirectory(m_dir, "bad/y.orb");
  MakeDirectory(m_dir, "two");
  const std::string a = m_dir.Write("a.orb", kTopDownDrawing);
  const std::string b = m_dir.Write("two/b.orb", kBottomUpDrawing);
  const std::string firstBad = ExpandPattern(m_dir.Path("bad/*.orb"))[0];
  QueueExportOption(1);
  SetPaths(m_dir.Path("bad/*.orb") + ";\"" + a + "\";;" +
               m_dir.Path("two/?.orb") + ";",
           m_output, m_config);
  Click(Control::kExport);
  EXPECT_EQ(m_prompts.MessageTexts(),
            (QStringList{Q("Unable to open \"" + firstBad + "\": Is a directory"),
                         "2 of 4 files exported; 1 failed; 1 not exported "
                         "after a failure."}));
  EXPECT_EQ(TempDir::Read(m_output), Reference({a, b}, true, 1));

  // Cancelled options write nothing (nor ask about the output).
  m_prompts.ClearRecord();
  QueueExportOption(-1);
  Click(Control::kExport);
  EXPECT_TRUE(m_prompts.MessageTexts().isEmpty());
  EXPECT_EQ(TempDir::Read(m_output), Reference({a, b}, true, 1));
}

TEST_F(MainDialogTest, PreviewReportsEachOutcome) {
  MakeDirectory(m_dir, "dir.orb");
  m_dir.Write("foreign.orb", kForeignDrawing);
  m_dir.Write("broken.cfg", std::string("\x9f\x86\x01\x00\x06", 5));
  const QString invalidInput = "Please specify a valid input file.";
  const QString invalidConfig = "Please specify a valid config file. \"";
  const QString dir = Q(m_dir.Root().string() + "/");
  // The input, the configuration, what Preview says.
  const std::tuple<std::string, std::string, QString> cases[] = {
      {"none*.orb", "my.cfg", invalidInput},
      {"dir.orb", "my.cfg", invalidInput + " \"" + dir + "dir.orb\": Is a directory"},
      {"foreign.orb", "missing.cfg",
       invalidConfig + dir + "missing.cfg\": No such file or directory"},
      {"foreign.orb", "broken.cfg",
       invalidConfig + dir +
           "broken.cfg\": damaged: it ends inside the value at offset 4 (the "
           "file has 5 bytes)"},
      {"foreign.orb", "my.cfg",
       "Configuration Does Not Apply to Input File (must match at least "
       "mark, quantity and material columns)"},
  };
  for (const auto& [input, config, message] : cases) {
    SCOPED_TRACE(input + " " + config);
    m_prompts.ClearRecord();
    SetPaths(m_dir.Path(input), "", m_dir.Path(config));
    Click(Control::kPreview);
    EXPECT_EQ(m_prompts.MessageTexts(), QStringList{message});
  }
}

TEST_F(MainDialogTest, DisplayReplacesTheWindowAndItsDocument) {
  const std::string input = m_dir.Write("d.orb", kTopDownDrawing);
  SetPaths(input, "", "");
  Click(Control::kDisplay);
  QPointer<COrbGraphic> first = m_dialog->Graphic();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), "Orb File - d.orb");
  EXPECT_EQ(first->Document(), m_dialog->DisplayedDocument());
  EXPECT_EQ(m_dialog->DisplayedDocument()->m_texts[1].m_text, "MARK");

  Click(Control::kDisplay);
  EXPECT_TRUE(first.isNull());

  // An input that cannot be read leaves a hidden window, and says why.
  SetPaths(m_dir.Path("missing.orb"), "", "");
  Click(Control::kDisplay);
  EXPECT_FALSE(m_dialog->Graphic()->isVisible());
  EXPECT_EQ(m_prompts.MessageTexts(),
            QStringList{Q("Please specify a valid input file. \"" +
                          m_dir.Path("missing.orb") +
                          "\": No such file or directory")});

  // Of files chosen together, the first is shown.
  SetPaths("\"" + input + "\";\"" + m_dir.Path("missing.orb") + "\"", "", "");
  Click(Control::kDisplay);
  EXPECT_TRUE(m_dialog->Graphic()->isVisible());

  // Closing the window lets the document go.
  SetPaths(input, "", "");
  Click(Control::kDisplay);
  m_dialog->Graphic()->close();
  EXPECT_EQ(m_dialog->Graphic(), nullptr);
  EXPECT_EQ(m_dialog->DisplayedDocument(), nullptr);
}

// A PDF of several pages: Display asks which page (page 1 first), and
// Cancel shows nothing.
TEST_F(MainDialogTest, DisplayShowsTheChosenPageOfAPdf) {
  SetPaths(std::string(KELCONV_TEST_DATA) + "/drawings/export-pages.pdf", "", "");
  const struct {
    int page;  // 0: cancel
    const char* lastText;
  } cases[] = {{1, "PLT3/8X5"}, {2, "NOTE: SEE DWG E2"}, {0, nullptr}};
  for (const auto& c : cases) {
    m_prompts.QueueDialog([&c](QDialog& dialog) {
      auto* page = dialog.findChild<QSpinBox*>(QStringLiteral("page"));
      EXPECT_EQ(page->value(), 1);
      EXPECT_EQ(page->maximum(), 2);
      page->setValue(c.page);
      if (c.page == 0) dialog.reject(); else dialog.accept();
      return dialog.result();
    });
    Click(Control::kDisplay);
    if (c.lastText == nullptr) {
      EXPECT_FALSE(m_dialog->Graphic()->isVisible());
      continue;
    }
    ASSERT_TRUE(m_dialog->Graphic()->isVisible());
    EXPECT_EQ(m_dialog->DisplayedDocument()->m_texts.back().m_text, c.lastText);
  }
}

TEST_F(MainDialogTest, AboutFromTheContextMenuAndHelp) {
  m_prompts.QueueDialog(&CScriptedPrompts::Accept);
  auto* about = m_dialog->findChild<QAction*>(Control::kAboutAction);
  ASSERT_TRUE(m_dialog->actions().contains(about));
  about->trigger();

  Click(Control::kHelp);
  ASSERT_NE(m_dialog->HelpWindow(), nullptr);
  EXPECT_TRUE(m_dialog->HelpWindow()->isVisible());
  m_prompts.QueueDialog(&CScriptedPrompts::Accept);
  m_dialog->HelpWindow()->AboutButton()->click();
  EXPECT_EQ(m_prompts.Requests()[0].dialogTitle, "About");
  EXPECT_EQ(m_prompts.Requests()[1].dialogTitle, "About");
}

// Files dropped on the dialog: drawings (by extension, in any case) fill
// the input, several of them as a quoted list; a .cfg file the
// configuration; anything else is refused.
TEST_F(MainDialogTest, DroppedFilesFillTheFields) {
  // The files dropped, the input and configuration fields after the drop.
  const std::tuple<QStringList, QString, QString> cases[] = {
      {{"/j/A.ORB", "/j/b.Dxf", "/j/c.pdf", "/j/notes.txt"},
       "\"/j/A.ORB\";\"/j/b.Dxf\";\"/j/c.pdf\"", "b.cfg"},
      {{"/c/shop.CFG", "/c/other.cfg"}, "b.orb", "/c/shop.CFG"},
      {{"/j/a.orb", "/c/shop.cfg"}, "/j/a.orb", "/c/shop.cfg"},
      {{"/j/notes.txt", "/j/a.kel"}, "b.orb", "b.cfg"},
  };
  for (const auto& [files, input, config] : cases) {
    SetPaths("b.orb", "", "b.cfg");
    QMimeData data;
    QList<QUrl> urls = {QUrl("https://example.com/x.orb")};  // not local
    for (const QString& file : files) urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    QDragEnterEvent enter({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_dialog.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), input + config != "b.orbb.cfg");
    QDropEvent drop({5, 5}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(m_dialog.get(), &drop);
    EXPECT_EQ(Edit(Control::kInputFile)->text(), input);
    EXPECT_EQ(Edit(Control::kConfigFile)->text(), config);
  }
}

// Every action puts its input and configuration paths at the top of the
// recent lists (8 at most, newest first, each once); choosing an entry
// fills the field.
TEST_F(MainDialogTest, RecentListsOfInputsAndConfigurations) {
  const auto menu = [this](const char* name) {
    return m_dialog->findChild<QMenu*>(QLatin1String(name))->actions();
  };
  EXPECT_EQ(menu(Control::kRecentInputs)[0]->text(), "(none)");
  for (int i = 0; i < 10; ++i) {
    SetPaths("in" + std::to_string(i % 9), "", "c&" + std::to_string(i % 2));
    Click(Control::kDisplay);
  }
  QStringList inputs, configs;
  for (QAction* action : menu(Control::kRecentInputs)) inputs << action->text();
  for (QAction* action : menu(Control::kRecentConfigs)) configs << action->text();
  EXPECT_EQ(inputs.join(' '), "in0 in8 in7 in6 in5 in4 in3 in2");
  EXPECT_EQ(configs, QStringList({"c&&1", "c&&0"}));
  menu(Control::kRecentInputs)[2]->trigger();
  EXPECT_EQ(Edit(Control::kInputFile)->text(), "in7");
  menu(Control::kRecentConfigs)[1]->trigger();
  EXPECT_EQ(Edit(Control::kConfigFile)->text(), "c&0");
}

// Each chooser starts in its field's folder, else where it was last used,
// else at home; the output chooser suggests a name after the input, and an
// export file after an Export.
TEST_F(MainDialogTest, ChoosersStartInTheFieldsFolder) {
  const QString jobs = Q(MakeDirectory(m_dir, "jobs"));
  const QString home = QDir::homePath();
  const struct Case {
    const char* button;
    QString input, output;  // the config field gets `output` too
    QString chosen;         // the chooser's answer
    QString start;
  } cases[] = {
      {Control::kBrowseInput, "", "", jobs + "/a.orb", home},
      {Control::kBrowseInput, "/gone/x.orb", "", "", jobs + "/x.orb"},
      {Control::kBrowseInput, jobs + "/*.orb", "", "", jobs},
      {Control::kBrowseOutput, jobs + "/a.b.orb", "", "", jobs + "/a.b.kel"},
      {Control::kBrowseOutput, '"' + jobs + "/a.orb\";\"" + jobs + "/b.orb\"",
       "", "", jobs + "/jobs.kel"},
      {Control::kBrowseOutput, "", "/gone/out.kel", "", home + "/out.kel"},
      {Control::kBrowseConfig, "", jobs + "/shop.cfg", "", jobs + "/shop.cfg"},
      {Control::kExport, "", "", "", ""},
      {Control::kBrowseOutput, "/gone/pl.orb", "", jobs + "/e.txt",
       home + "/pl.txt"},
      {Control::kBrowseOutput, "/gone/pl.orb", "", "", jobs + "/pl.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button + (" " + c.input + " " + c.output).toStdString());
    m_prompts.ClearRecord();
    SetPaths(c.input.toStdString(), c.output.toStdString(),
             c.output.toStdString());
    const QLatin1String button(c.button);
    if (button == QLatin1String(Control::kExport)) QueueExportOption(-1);
    using K = CScriptedPrompts::EKind;
    const K chooser = button == QLatin1String(Control::kBrowseInput)    ? K::OpenFileNames
                      : button == QLatin1String(Control::kBrowseOutput) ? K::SaveFile
                                                                        : K::OpenFileName;
    if (button != QLatin1String(Control::kExport)) {
      m_prompts.QueueFiles(chooser, QStringList(c.chosen).filter("/"));
    }
    Click(c.button);
    if (c.start.isEmpty()) continue;
    EXPECT_EQ(m_prompts.Requests()[0].startPath, c.start);
    if (button == QLatin1String(Control::kBrowseOutput)) {
      EXPECT_EQ(m_prompts.Requests()[0].filter.left(6),
                c.start.endsWith(".txt") ? "Export" : "KEL Fi");
    }
  }
}

// The preview shows the job's KEL text of the first match, and its details
// the job's report. The bottom-up drawing fits only when read upside down.
TEST_F(MainDialogTest, PreviewShowsTheJobsTextAndReport) {
  for (const char* drawing : {kTopDownDrawing, kBottomUpDrawing}) {
    const std::string input = m_dir.Write("p.orb", drawing);
    CConversionReport report;
    const std::string kel = Reference({input}, false, 0, &report);
    const QString expected = Q(FormatReportText(report));
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
  }

  // A preview that shows nothing leaves no report behind.
  SetPaths(m_dir.Write("f.orb", kForeignDrawing), "", m_config);
  Click(Control::kPreview);
  EXPECT_TRUE(m_dialog->PreviewReport().isEmpty());
}

TEST_F(MainDialogTest, ShowTableBuildsTheTableAsTheJobDoes) {
  // Mirrored left to right and drawn bottom up.
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

TEST_F(MainDialogTest, PreviewAndDetailsScreenshots) {
  m_prompts.QueueDialog([](QDialog& dialog) {
    SaveScreenshot(dialog, "preview");
    static_cast<CPreviewDialog&>(dialog).DetailsButton()->click();
    return CScriptedPrompts::Accept(dialog);
  });
  m_prompts.QueueDialog([](QDialog& dialog) {
    SaveScreenshot(dialog, "details");
    return CScriptedPrompts::Reject(dialog);
  });
  SetPaths(KELCONV_EXAMPLES "/sample.orb", "", KELCONV_EXAMPLES "/sample.cfg");
  Click(Control::kPreview);
  EXPECT_TRUE(m_prompts.MessageTexts().isEmpty());
}

}  // namespace
