// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/ProgramModule.h"

#include <dlfcn.h>
#include <unistd.h>

CProgramModule::~CProgramModule() {
  if (m_pHandle != nullptr) dlclose(m_pHandle);
}

bool CProgramModule::Open(const std::string& programDirectory,
                          const std::string& name, bool stayLoaded) {
  const std::string places[] = {programDirectory + "/" + name,
                                programDirectory + "/../lib/kelconv/modules/" + name};
  for (const std::string& place : places) {
    m_strPath = place;
    // A file that is missing here may still be in the next place; one that
    // is there but does not load is the one to report.
    if (access(place.c_str(), F_OK) != 0) {
      m_strError = "not found";
      continue;
    }
    m_pHandle = dlopen(place.c_str(),
                       RTLD_NOW | RTLD_LOCAL | (stayLoaded ? RTLD_NODELETE : 0));
    if (m_pHandle != nullptr) {
      m_strError.clear();
      return true;
    }
    const char* why = dlerror();
    m_strError = why != nullptr ? why : "cannot be loaded";
    return false;
  }
  return false;
}

void* CProgramModule::Symbol(const char* symbol) {
  if (m_pHandle == nullptr) return nullptr;
  void* address = dlsym(m_pHandle, symbol);
  if (address == nullptr) {
    const char* why = dlerror();
    m_strError = why != nullptr ? why : "symbol not found";
  }
  return address;
}
