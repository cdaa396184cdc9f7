// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the material translation of one item under a fuzzed
// configuration.
//
// Input: NUL-separated texts (material description, remarks, grade,
// quantity, weight, and "1" when the material column holds fractions), then
// after a separator line (FuzzSupport.h) the .cfg bytes. A configuration that
// ends too early is used as far as it was read; none at all gives the
// defaults.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Archive.h"
#include "config/Configuration.h"
#include "items/KelItem.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::SplitInput(fuzz::AsText(data, size), 2);
  std::vector<std::string> fields = fuzz::SplitOnNul(parts[0]);
  fields.resize(std::max<size_t>(fields.size(), 6));

  CConfiguration config;
  if (parts[1].empty()) {
    config.ResetToDefaults();
  } else {
    try {
      CArchive in{std::string(parts[1])};
      config.Load(in);
    } catch (const CArchiveException&) {
    }
  }

  CKelItem item;
  item.Clear();
  item.m_strMaterial = fields[0];
  item.m_strRemarks = fields[1];
  item.m_strGrade = fields[2];
  item.m_strQuantity = fields[3];
  item.m_strWeight = fields[4];
  item.m_bMaterialFractions = fields[5] == "1" ? 1 : 0;

  for (int family = 0; family < kFamilyCount; ++family) {
    item.FitsFamily(family, config);
  }
  const int family = item.ClassifyMaterial(config);
  FUZZ_CHECK(family >= 0 && family < kFamilyCount);
  item.TranslateMaterial(config);
  return 0;
}
