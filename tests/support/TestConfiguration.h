// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The configuration that the tests' small drawings are read with.

#include <cstdlib>
#include <string>
#include <utility>

#include "TempDir.h"
#include "config/Configuration.h"

// A configuration with the columns MARK, QTY, DESCRIPTION and LENGTH.
inline CConfiguration TestConfiguration() {
  CConfiguration config;
  config.ResetToDefaults();
  const std::pair<const char*, const char*> columns[] = {
      {"MARK", "Piece Mark"},
      {"QTY", "Quantity"},
      {"DESCRIPTION", "Material"},
      {"LENGTH", "Length(Ft + In)"}};
  for (const auto& [header, type] : columns) {
    CConfigColumnItem item;
    item.m_strHeader = header;
    item.m_strType = type;
    config.m_columns.push_back(item);
  }
  return config;
}

// Writes TestConfiguration() to `name` in `dir` and returns its path.
inline std::string WriteTestConfiguration(const TempDir& dir,
                                          const std::string& name = "my.cfg") {
  const std::string path = dir.Path(name);
  if (StoreConfigurationFile(path, TestConfiguration()) != 0) std::abort();
  return path;
}
