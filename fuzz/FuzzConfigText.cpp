// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: reading the text (TOML) form of a configuration.
//
// Input: the text. Whatever it holds, the configuration it leaves can be
// written; a text that reads without error writes a text that reads back
// into the same configuration, and the binary form of it loads back alike.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Archive.h"
#include "config/ConfigText.h"
#include "config/Configuration.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CConfiguration config;
  std::vector<CConfigTextMessage> messages;
  const bool read =
      ConfigurationFromText(fuzz::AsText(data, size), config, messages);
  bool errors = false;
  for (size_t i = 0; i < messages.size(); ++i) {
    FormatConfigTextMessage("fuzz.toml", messages[i]);
    errors = errors || messages[i].m_bError;
    if (i > 0) FUZZ_CHECK(messages[i - 1].m_nLine <= messages[i].m_nLine);
  }
  FUZZ_CHECK(read == !errors);
  const std::string text = ConfigurationToText(config);
  if (!read) return 0;

  CConfiguration again;
  std::vector<CConfigTextMessage> againMessages;
  FUZZ_CHECK(ConfigurationFromText(text, again, againMessages));
  FUZZ_CHECK(ConfigurationToText(again) == text);

  CArchive out;
  config.Store(out);
  CConfiguration loaded;
  CArchive in(out.Buffer());
  loaded.Load(in);
  FUZZ_CHECK(in.Remaining() == 0);
  FUZZ_CHECK(ConfigurationToText(loaded) == text);
  return 0;
}
