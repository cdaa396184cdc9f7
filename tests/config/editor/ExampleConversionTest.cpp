// A configuration typed into the editor converts the bundled example exactly
// as the example's own configuration file does.

#include <gtest/gtest.h>

#include <QDialogButtonBox>

#include "ConfigBytes.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "config/editor/ConfigEditor.h"
#include "input/Orb.h"

namespace {

std::string ConvertToKel(const std::string& orbPath,
                         const std::string& configPath) {
  COrb orb;
  EXPECT_EQ(orb.ReadOrbFile(orbPath, false, false, nullptr), 0);
  EXPECT_EQ(orb.ApplyConfiguration(configPath), 0);
  std::string kel;
  EXPECT_EQ(orb.WriteKelFile("", kOpenCreateWrite, &kel, "", "", "", 0), 0);
  return kel;
}

TEST(ExampleConversionTest, ConfigurationMadeInTheEditorConvertsLikeTheOwn) {
  const std::string exampleOrb = KELCONV_EXAMPLES "/sample.orb";
  const std::string exampleConfig = KELCONV_EXAMPLES "/sample.cfg";
  CConfiguration settings;
  ASSERT_EQ(LoadConfigurationFile(exampleConfig, settings), 0);

  TempDir dir;
  const std::string madePath = dir.Path("made.cfg");
  CScriptedPrompts prompts;
  prompts.QueueDialog([&](QDialog& dialog) {
    auto& sheet = dynamic_cast<CConfigSheet&>(dialog);
    TypeSettings(settings, sheet);
    sheet.Buttons()->button(QDialogButtonBox::Ok)->click();
    return dialog.result();
  });
  EditConfiguration(nullptr, prompts, QString::fromStdString(madePath));
  EXPECT_EQ(prompts.Remaining(), 0u);
  EXPECT_TRUE(prompts.MessageTexts().isEmpty());

  const std::string expected = ConvertToKel(exampleOrb, exampleConfig);
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(ConvertToKel(exampleOrb, madePath), expected);
}

}  // namespace
