// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The configuration that the tests' small drawings are read with, a new
// one as the editor makes it, and the bytes a configuration is stored as.

#include <cstdlib>
#include <string>
#include <utility>

#include "TempDir.h"
#include "config/Archive.h"
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

// A new configuration as the editor stores it: the default settings, empty
// search/replace pairs and twenty empty default grades.
inline CConfiguration NewConfig() {
  CConfiguration config;
  config.ResetToDefaults();
  config.m_searchFor.assign(kSearchReplaceCount, "");
  config.m_replaceWith.assign(kSearchReplaceCount, "");
  return config;
}

// The bytes of `config` as a version 6 file holds them.
inline std::string Stored(const CConfiguration& config) {
  CArchive ar;
  config.Store(ar);
  return ar.Buffer();
}
