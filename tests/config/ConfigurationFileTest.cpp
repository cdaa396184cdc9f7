// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "config/Archive.h"
#include "config/Configuration.h"
#include "TestConfiguration.h"
#include "support/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char b : bytes) out += (snprintf(buf, 4, " %02X", b), buf);
  return out.empty() ? out : out.substr(1);
}

CConfiguration Loaded(const std::string& bytes) {
  CConfiguration config;
  CArchive ar(bytes);
  config.Serialize(ar);
  return config;
}

// A configuration in which every field differs from its default.
CConfiguration FullConfig() {
  CConfiguration c;
  c.ResetToDefaults();
  c.m_columns = {{"MARK", "Piece Mark", false, kColPieceMark},
                 {"QTY", "Quantity", false, kColQuantity},
                 {"DESCRIPTION", "Material", true, kColMaterial},
                 {"X", "material", false, kColNone}};
  c.m_nReserved = -3, c.m_dReserved1 = 0.25, c.m_dReserved2 = -1e300;
  c.m_materialCodes[0] = "WF", c.m_fractions[7] = "s", c.m_strDiameter = "DIA";
  c.m_bFractionIgnoreCase = 1, c.m_strLeftRight = "L&R", c.m_strSchedule = "S.";
  c.m_bDiscardInOutput = 1, c.m_strLeft = "LT", c.m_strRight = "RT";
  c.m_searchFor = {"PLATE", "", "  "}, c.m_replaceWith = {"PL", "X", "Y"};
  c.m_bUseHssForTubes = 1, c.m_strDefaultGrade = "A572";
  c.m_defaultGrades[0] = "A992", c.m_defaultGrades[19] = "A36";
  return c;
}

// The whole layout is pinned by the golden configurations, made again from
// their text form byte for byte by a run folder.
TEST(ConfigurationFileTest, StringLengthPrefixes) {
  // clang-format off
  struct Case { size_t length; const char* prefix; } const cases[] = {
      {0, "00"}, {254, "FE"}, {255, "FF FF 00"}, {65533, "FF FD FF"},
      {65534, "FF FF FF FE FF 00 00"}, {70000, "FF FF FF 70 11 01 00"}};
  // clang-format on
  for (const Case& c : cases) {
    const std::string text(c.length, 'x');
    CArchive out;
    out.WriteString(text);
    const size_t prefixBytes = out.Buffer().size() - c.length;
    EXPECT_EQ(Hex(out.Buffer().substr(0, prefixBytes)), c.prefix) << c.length;
    CArchive in(out.Buffer());
    EXPECT_EQ(in.ReadString(), text) << c.length;
    EXPECT_EQ(in.Remaining(), 0u);
  }
  // A short length in the long form is read as well.
  CArchive in(std::string{'\xFF', '\x03', '\0', 'a', 'b', 'c'});
  EXPECT_EQ(in.ReadString(), "abc");
}

// Each release appended fields to the layout of the one before, and bytes
// after the last field are ignored, so a version 6 file relabelled as an
// older version must read as that version: fields the older layout lacks
// take their fixed values instead of what the bytes hold.
TEST(ConfigurationFileTest, OlderVersionsDefaultTheFieldsTheyLack) {
  const CConfiguration full = FullConfig();
  const std::string current = Stored(full);
  for (int32_t version = -1; version <= 7; ++version) {
    SCOPED_TRACE(version);
    const int layout = std::clamp(version, 0, 6);
    CConfiguration expected = full;
    if (layout < 6) expected.m_strDefaultGrade = "A36";
    if (layout < 5) expected.m_defaultGrades = Strings(kDefaultGradeCount);
    if (layout < 4) expected.m_strRight = "";
    if (layout < 3) expected.m_bUseHssForTubes = 0;
    if (layout < 2) expected.m_strLeft = "", expected.m_searchFor = {};
    if (layout < 2) expected.m_replaceWith = {};
    if (layout < 1) expected.m_bDiscardInOutput = 0;

    CArchive label;
    label.WriteI32(version);
    std::string bytes = current;
    bytes.replace(4, 4, label.Buffer());
    EXPECT_EQ(Loaded(bytes), expected);
    // The first release wrote neither magic number nor version.
    if (version == 0) {
      EXPECT_EQ(Loaded(current.substr(8)), expected);
    }
  }
}

TEST(ConfigurationFileTest, TruncatedOrHostileStreamsThrowQuickly) {
  const std::string full = Stored(FullConfig());
  for (size_t size = 0; size < full.size(); ++size)
    EXPECT_THROW(Loaded(full.substr(0, size)), CArchiveException) << size;

  CConfiguration reset;
  reset.ResetToDefaults();
  const std::string valid = Stored(reset);
  const std::string head = valid.substr(0, 8);  // magic, version
  const std::string ff4("\xFF\xFF\xFF\xFF", 4);
  const std::string ff7 = "\xFF" + ff4 + ff4.substr(0, 2);
  const std::string pad(40, '\0');
  // Byte 32 holds the count of the material codes (no columns before it).
  const std::string beforeCodes = valid.substr(0, 32);
  const std::string cases[] = {
      ff4 + pad,                                        // version 0 columns
      head + ff4 + pad,                                 // column count
      head + std::string("\x01\0\0\0", 4) + ff7 + pad,  // header length
      head + std::string("\x01\0\0\0\xFF\xFD\xFF", 7) + pad,  // 65533 > rest
      beforeCodes + ff4 + pad,  // material code count
      beforeCodes + std::string("\x18\0\0\0\x01W\x01S\x01M", 10),  // ends early
  };
  for (const std::string& bytes : cases) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(Loaded(bytes), CArchiveException) << Hex(bytes);
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(1));
  }
}

// Column types are derived on loading (FullConfig holds the derived ones).
TEST(ConfigurationFileTest, RoundTripsAndFailuresGiveMinusOne) {
  CConfiguration config = FullConfig();
  const std::string bytes = Stored(config);
  EXPECT_EQ(Loaded(bytes + "trailing junk"), config);

  TempDir dir;
  const std::string path = dir.Path("job.cfg");
  dir.Write("job.cfg", std::string(100000, 'x'));  // emptied by storing
  ASSERT_EQ(StoreConfigurationFile(path, config), 0);
  EXPECT_EQ(TempDir::Read(path), bytes);
  CConfiguration loaded, unused;
  ASSERT_EQ(LoadConfigurationFile(path, loaded), 0);
  EXPECT_EQ(loaded, config);
  EXPECT_EQ(LoadConfigurationFile(dir.Path("missing.cfg"), unused), -1);
  EXPECT_EQ(LoadConfigurationFile(dir.Path(""), unused), -1);  // a directory
  EXPECT_EQ(StoreConfigurationFile(dir.Path("no/such/dir.cfg"), config), -1);
  EXPECT_EQ(StoreConfigurationFile(dir.Path(""), config), -1);
  const std::string cut = dir.Write("cut.cfg", bytes.substr(0, 50));
  EXPECT_THROW(LoadConfigurationFile(cut, unused), CArchiveException);

  // A short list of grades is stored padded to twenty.
  config.m_defaultGrades.resize(1);
  Strings padded(kDefaultGradeCount);
  padded[0] = "A992";
  EXPECT_EQ(Loaded(Stored(config)).m_defaultGrades, padded);
}

}  // namespace
