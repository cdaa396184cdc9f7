// SPDX-License-Identifier: GPL-3.0-or-later
// The About box: the version line, and the license line naming the copyright
// file installed beside the running program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <filesystem>

#include "TempDir.h"
#include "desktop/AboutDialog.h"

namespace {

const QString kLicensed =
    QStringLiteral("Licensed under the GNU GPL, version 3 or later; see ");

TEST(AboutDialogTest, NamesTheCopyrightFileBesideTheProgram) {
  // Installed: <prefix>/bin/kelconv, <prefix>/share/doc/kelconv/copyright.
  TempDir prefix;
  std::filesystem::create_directories(prefix.Path("share/doc/kelconv"));
  const std::string copyright = prefix.Write("share/doc/kelconv/copyright", "");
  EXPECT_EQ(LicenseLine(QString::fromStdString(prefix.Path("bin"))),
            kLicensed + QString::fromStdString(copyright));
  // A program without the file beside it names the license's address.
  EXPECT_EQ(LicenseLine(QString::fromStdString(prefix.Root().string())),
            kLicensed + "https://www.gnu.org/licenses/gpl-3.0.html");

  // The tests run from <build>/tests; the build tree keeps the copyright
  // file where an installed program has it.
  CAboutDialog about;
  // <build> is found from the screenshots' folder, which need not exist yet.
  const QString copied =
      QFileInfo(QDir::cleanPath(KELCONV_SCREENSHOTS
                                "/../share/doc/kelconv/copyright"))
          .canonicalFilePath();
  ASSERT_FALSE(copied.isEmpty());
  const QString license = about.findChild<QLabel*>("license")->text();
  ASSERT_TRUE(license.startsWith(kLicensed)) << license.toStdString();
  EXPECT_EQ(QFileInfo(license.mid(kLicensed.size())).canonicalFilePath(),
            copied);
}

}  // namespace
