// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main dialog over a temporary folder that holds the tests' configuration
// and a discard list, its questions scripted; fields are filled and buttons
// clicked by the names of the dialog's controls. What the conversion job
// makes of the same files is the measure of the dialog's actions.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestFiles.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "TestRequest.h"
#include "desktop/MainDialog.h"
#include "job/ConversionJob.h"

class CMainDialogFixture : public testing::Test {
 protected:
  void SetUp() override {
    UseTemporarySettings(m_dir);
    m_config = WriteTestConfiguration(m_dir);
    m_discard = m_dir.Write("DISCARD.TXT", "OF MATERIAL\r\n");
    m_dialog = std::make_unique<CMainDialog>(m_prompts, m_discard);
  }
  void TearDown() override { EXPECT_EQ(m_prompts.Remaining(), 0u); }

  // What the conversion job writes for `inputs` in turn into a fresh file:
  // the first file creates it, the others are appended with their index.
  // `report` gets the last file's report.
  std::string Reference(const std::vector<std::string>& inputs,
                        bool exportRows = false, int headerOption = 0,
                        CConversionReport* report = nullptr) const {
    CRecordingJobUi ui;
    CConversionJob job(ui, m_discard);
    job.SetReport(report);
    const std::string path = m_dir.Path("reference.out");
    for (size_t i = 0; i < inputs.size(); ++i) {
      EXPECT_EQ(job.ConvertFile(TestRequest(inputs[i], path, m_config,
                                            exportRows, static_cast<int>(i),
                                            headerOption)),
                0);
    }
    EXPECT_EQ(ui.m_messages, std::vector<std::string>{});
    return TempDir::Read(path);
  }

  QLineEdit* Edit(const char* name) const {
    return m_dialog->findChild<QLineEdit*>(QLatin1String(name));
  }
  void Click(const char* name) const {
    m_dialog->findChild<QPushButton*>(QLatin1String(name))->click();
  }
  void SetPaths(const std::string& input, const std::string& output,
                const std::string& config) const {
    Edit(MainDialogControl::kInputFile)->setText(QString::fromStdString(input));
    Edit(MainDialogControl::kOutputFile)
        ->setText(QString::fromStdString(output));
    Edit(MainDialogControl::kConfigFile)
        ->setText(QString::fromStdString(config));
  }

  TempDir m_dir;
  CScriptedPrompts m_prompts;
  std::string m_config, m_discard;
  std::unique_ptr<CMainDialog> m_dialog;
};
