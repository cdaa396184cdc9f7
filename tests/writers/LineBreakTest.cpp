// SPDX-License-Identifier: GPL-3.0-or-later
// A line break inside a text (a configuration may hold one) must not split a
// record of an output file in two.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "config/Configuration.h"
#include "input/Orb.h"
#include "writers/ExportWriter.h"
#include "writers/LineTarget.h"

namespace {

struct Case {
  std::string line;
  std::string written;
};

const Case kCases[] = {
    {"plain", "plain\r\n"},
    {"", "\r\n"},
    {"A\nB", "A B\r\n"},
    {"A\r\nB\r", "A  B \r\n"},
    {"\n\r", "  \r\n"},
    {std::string("N\0L", 3), std::string("N\0L\r\n", 5)},
    // Longer than a block of the file: the lines around it still follow in
    // order.
    {std::string(100000, 'W') + "\n", std::string(100000, 'W') + " \r\n"},
    {"after", "after\r\n"},
};

TEST(LineBreakTest, EachWriteIsOneLineInMemoryAndInAFile) {
  std::string memory = "kept\r\n";
  CLineTarget toMemory;
  toMemory.UseMemory(&memory);
  std::string expected = memory;
  for (const Case& c : kCases) {
    ASSERT_EQ(toMemory.WriteLine(c.line), 0);
    expected += c.written;
  }
  EXPECT_EQ(memory, expected);

  char path[] = "/tmp/kelconv-linebreak-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  CLineTarget toFile;
  ASSERT_EQ(toFile.OpenFile(path, kOpenCreateWrite), 0);
  for (const Case& c : kCases) ASSERT_EQ(toFile.WriteLine(c.line), 0);
  ASSERT_EQ(toFile.Close(), 0);
  std::ifstream in(path, std::ios::binary);
  const std::string file((std::istreambuf_iterator<char>(in)),
                         std::istreambuf_iterator<char>());
  std::remove(path);
  EXPECT_EQ(file, expected.substr(6));
}

// A header of the configuration with a line break in it, as a damaged or
// hand-made file may give: the export's header line stays one line.
TEST(LineBreakTest, ConfiguredHeaderWithLineBreak) {
  CConfiguration config;
  config.m_columns.push_back(
      {"MA\r\nRK", kColumnTypeNames[kColPieceMark], false, kColPieceMark});
  config.m_columns.push_back(
      {"QTY", kColumnTypeNames[kColQuantity], false, kColQuantity});
  std::string out;
  CLineTarget target;
  target.UseMemory(&out);
  ASSERT_EQ(WriteExportHeader(config, target, nullptr), 0);
  EXPECT_EQ(out, "MA  RK~QTY~\r\n");
}

}  // namespace
