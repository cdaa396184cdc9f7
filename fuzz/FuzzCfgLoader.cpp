// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: loading a configuration file.
//
// Input: the .cfg file. A file that loads is stored again; the stored bytes
// must load without complaint and store to the same bytes, and its text form
// must read back into the same text form.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Archive.h"
#include "config/ConfigText.h"
#include "config/Configuration.h"

namespace {

std::string Stored(const CConfiguration& config) {
  CArchive out;
  config.Store(out);
  return out.Buffer();
}

bool KnownTypes(const CConfiguration& config) {
  for (const CConfigColumnItem& column : config.m_columns) {
    if (ColumnTypeFromName(column.m_strType) == 0 &&
        column.m_strType != kColumnTypeNames[0]) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile cfgFile("loader.cfg");
  CConfiguration config;
  try {
    FUZZ_CHECK(LoadConfigurationFile(cfgFile.Write(fuzz::AsText(data, size)),
                                     config) == 0);
  } catch (const CArchiveException&) {
    // Damaged: what was read before stays, and must still be usable.
    Stored(config);
    ConfigurationToText(config);
    return 0;
  }

  const std::string stored = Stored(config);
  CConfiguration again;
  CArchive in(stored);
  again.Load(in);  // throws (a finding) when the stored file is damaged
  FUZZ_CHECK(in.Remaining() == 0);
  FUZZ_CHECK(Stored(again) == stored);

  const std::string text = ConfigurationToText(config);
  CConfiguration fromText;
  std::vector<CConfigTextMessage> messages;
  const bool read = ConfigurationFromText(text, fromText, messages);
  // Only a column type unknown to this program keeps the text from reading.
  if (KnownTypes(config)) {
    FUZZ_CHECK(read);
    FUZZ_CHECK(ConfigurationToText(fromText) == text);
  }
  return 0;
}
