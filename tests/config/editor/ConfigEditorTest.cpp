#include "config/editor/ConfigEditor.h"

#include <gtest/gtest.h>

#include "ScriptedPrompts.h"
#include "TempDir.h"

TEST(ConfigEditorTest, NewFileAndOkCreatesIt) {
  TempDir dir;
  const std::string path = dir.Path("new.cfg");
  CScriptedPrompts prompts;
  prompts.QueueDialogResult(QDialog::Accepted);
  EditConfiguration(nullptr, prompts, QString::fromStdString(path));
  EXPECT_EQ(prompts.Remaining(), 0u);
  EXPECT_TRUE(prompts.MessageTexts().isEmpty());
  EXPECT_EQ(TempDir::Read(path).substr(0, 4),
            std::string("\x9f\x86\x01\x00", 4));
}
