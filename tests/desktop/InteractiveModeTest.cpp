// SPDX-License-Identifier: GPL-3.0-or-later
// The interactive mode: the setting it remembers, and conversions that do
// not depend on the user's locale.
#include <gtest/gtest.h>

#include <QSettings>
#include <clocale>

#include "MainDialogFixture.h"
#include "desktop/AppTexts.h"
#include "desktop/InteractiveMode.h"

namespace {

namespace Control = MainDialogControl;

class InteractiveModeTest : public CMainDialogFixture {
 protected:
  // Runs the interactive mode; `act` plays the user on the main dialog.
  void Run(const std::function<void(CMainDialog&)>& act) {
    m_prompts.QueueDialog([&act](QDialog& dialog) {
      act(static_cast<CMainDialog&>(dialog));
      return CScriptedPrompts::Reject(dialog);  // Exit
    });
    RunInteractiveMode(m_prompts, m_discard);
  }
  static QLineEdit* Edit(CMainDialog& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QLatin1String(name));
  }
};

TEST_F(InteractiveModeTest, KeepsTheFieldsAndThePathLastTakenByAnAction) {
  const auto shown = [](CMainDialog& dialog) {
    const SDialogFields f = dialog.Fields();
    return QStringList{f.input, f.output, f.config, f.invertX ? "X" : "",
                       f.invertY ? "Y" : ""};
  };
  QStringList seen = {"unset"};
  Run([&](CMainDialog& dialog) { seen = shown(dialog); });
  EXPECT_EQ(seen, QStringList({"", "", "", "", ""}));

  // Without stored fields the configuration used last is shown. Fields
  // typed but never used by an action are kept for the next start, but do
  // not change the configuration used last.
  WriteLastConfigurationFile("/jobs/old.cfg");
  QSettings(kSettingsOrganisation, kSettingsApplication).remove("Fields");
  Run([&](CMainDialog& dialog) {
    seen = shown(dialog);
    dialog.SetFields({"/jobs/*.orb", "/jobs/out.kel", "/jobs/typed.cfg",
                      true, false});
  });
  EXPECT_EQ(seen, QStringList({"", "", "/jobs/old.cfg", "", ""}));
  EXPECT_EQ(ReadLastConfigurationFile(), "/jobs/old.cfg");

  // After an action the path as then shown is the one used last, even when
  // the action failed; the fields come back as they were at closing.
  Run([&](CMainDialog& dialog) {
    seen = shown(dialog);
    Edit(dialog, Control::kConfigFile)->setText("/jobs/new.cfg");
    Edit(dialog, Control::kInputFile)
        ->setText(QString::fromStdString(m_dir.Path("missing.orb")));
    dialog.findChild<QPushButton*>(Control::kDisplay)->click();
    Edit(dialog, Control::kConfigFile)->setText("/jobs/later.cfg");
  });
  EXPECT_EQ(seen, QStringList({"/jobs/*.orb", "/jobs/out.kel",
                               "/jobs/typed.cfg", "X", ""}));
  EXPECT_EQ(ReadLastConfigurationFile(), "/jobs/new.cfg");
  Run([&](CMainDialog& dialog) { seen = shown(dialog); });
  EXPECT_EQ(seen[2], "/jobs/later.cfg");
}

// The locale as Qt sets it from LC_ALL, then as the program resets it:
// Convert writes the bytes it writes in the C locale.
TEST_F(InteractiveModeTest, ConvertGivesTheSameBytesInACommaLocale) {
  const std::string input = m_dir.Write("in.orb", kTopDownDrawing);
  const std::string expected = Reference({input});
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  struct RestoreCLocale {
    ~RestoreCLocale() { std::setlocale(LC_ALL, "C"); }
  } restore;
  UseCLocaleRules();
  EXPECT_STREQ(std::localeconv()->decimal_point, ".");
  EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "C");
  EXPECT_STREQ(std::setlocale(LC_COLLATE, nullptr), "C");

  const std::string output = m_dir.Path("dialog.kel");
  SetPaths(input, output, m_config);
  Click(Control::kConvert);
  EXPECT_EQ(m_prompts.MessageTexts(),
            QStringList{"File(s) Successfully Converted"});
  EXPECT_EQ(TempDir::Read(output), expected);
}

}  // namespace
