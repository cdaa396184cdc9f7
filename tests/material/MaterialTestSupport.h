// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "config/Configuration.h"
#include "items/KelItem.h"

inline CConfiguration DefaultMaterialConfig() {
  CConfiguration config;
  config.ResetToDefaults();
  return config;
}

// A cleared record holding `material`, as the KEL writer hands it over.
inline CKelItem MaterialItem(const std::string& material, bool fractions) {
  CKelItem item;
  item.Clear();
  item.m_strMaterial = material;
  item.m_bMaterialFractions = fractions ? 1 : 0;
  return item;
}

// What the translation writes, as one comparable line; fields left out of an
// expected value are "".
struct Translation {
  std::string matCode{}, dim1{}, dim2{}, dim3{}, description{};
  bool operator==(const Translation&) const = default;
};

inline Translation Translate(const std::string& material,
                             const CConfiguration& config,
                             const std::string& remarks = "",
                             bool fractions = false) {
  CKelItem item = MaterialItem(material, fractions);
  item.m_strRemarks = remarks;
  item.TranslateMaterial(config);
  return {item.m_strMatCode, item.m_strDim1, item.m_strDim2, item.m_strDim3,
          item.m_strDescription};
}

inline void PrintTo(const Translation& t, std::ostream* os) {
  *os << "{\"" << t.matCode << "\", \"" << t.dim1 << "\", \"" << t.dim2
      << "\", \"" << t.dim3 << "\", \"" << t.description << "\"}";
}
