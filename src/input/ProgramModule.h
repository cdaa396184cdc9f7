// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A module of the program: a shared library that the program loads only
// when it needs it, so that its libraries cost nothing to the runs that do
// without it. A module is looked for beside the program file (a build tree)
// and then in lib/kelconv/modules/ of the installation (../lib/kelconv/modules
// from the program's directory). It stays loaded while its CProgramModule
// lives.
class CProgramModule {
 public:
  CProgramModule() = default;
  CProgramModule(const CProgramModule&) = delete;
  CProgramModule& operator=(const CProgramModule&) = delete;
  ~CProgramModule();

  // Loads the module file `name` ("kelconv-pdf.so") from `programDirectory`
  // or from `programDirectory`/../lib/kelconv/modules. Returns false when
  // neither loads; Error() then names the file looked for last and says why.
  // With `stayLoaded` the module stays mapped after this object is gone,
  // until the process ends.
  bool Open(const std::string& programDirectory, const std::string& name,
            bool stayLoaded = false);

  // The address of the exported `symbol`, or null (Error() says why).
  void* Symbol(const char* symbol);

  const std::string& Path() const { return m_strPath; }
  const std::string& Error() const { return m_strError; }

 private:
  void* m_pHandle = nullptr;
  std::string m_strPath;
  std::string m_strError;
};
