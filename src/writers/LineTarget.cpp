// SPDX-License-Identifier: GPL-3.0-or-later
#include "writers/LineTarget.h"

#include <cerrno>

#include "input/Orb.h"

namespace {

// Appends `line` and CR LF to `out`. A CR or LF inside the line (a
// configuration text may hold one) would split the record in two, so each
// becomes a blank.
void AppendLine(std::string& out, const std::string& line) {
  const size_t start = out.size();
  out.append(line);
  for (size_t i = start; i < out.size(); ++i) {
    if (out[i] == '\r' || out[i] == '\n') out[i] = ' ';
  }
  out.append("\r\n");
}

}  // namespace

CLineTarget::~CLineTarget() = default;

int CLineTarget::OpenFile(const std::string& path, int openMode,
                          IOutputCalls* calls) {
  m_pFile.reset();
  m_pMemory = nullptr;
  m_buffer.clear();
  m_nError = 0;
  if (openMode != kOpenCreateWrite && openMode != kOpenWriteNoTruncate) {
    m_nError = EINVAL;
    return -1;
  }
  auto file = std::make_unique<COutputFile>(calls);
  if (file->Open(path, openMode == kOpenCreateWrite ? OutputMode::kReplace
                                                    : OutputMode::kAppend) !=
      0) {
    m_nError = file->Error();
    return -1;
  }
  m_pFile = std::move(file);
  return 0;
}

void CLineTarget::UseMemory(std::string* text) {
  m_pFile.reset();
  m_pMemory = text;
}

int CLineTarget::WriteLine(const std::string& line) {
  if (m_pMemory != nullptr) {
    AppendLine(*m_pMemory, line);
    return 0;
  }
  if (m_pFile == nullptr || m_nError != 0) return -1;
  AppendLine(m_buffer, line);
  return m_buffer.size() < kBlockSize ? 0 : Flush();
}

int CLineTarget::Flush() {
  // Only whole lines are sent, so that a reader or a killed program sees
  // whole records as far as the system lets it.
  const int written = m_pFile->Write(m_buffer.data(), m_buffer.size());
  m_buffer.clear();
  if (written != 0) m_nError = m_pFile->Error();
  return written;
}

int CLineTarget::Close() {
  m_pMemory = nullptr;
  if (m_pFile == nullptr) return 0;
  int result = m_nError == 0 ? Flush() : -1;
  if (m_pFile->Commit() != 0) {
    if (m_nError == 0) m_nError = m_pFile->Error();
    result = -1;
  }
  m_pFile.reset();
  return result;
}
