// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <utility>

#include "config/FileBytes.h"
#include "input/DxfReader.h"
#include "input/PdfReader.h"
#include "input/ProgramDirectory.h"
#include "input/ProgramModule.h"

std::string InputMessage(const std::string& prefix, const std::string& path,
                         const std::string& suffix) {
  return prefix + "\"" + path + "\"" + suffix;
}

bool CInputFile::Load(const std::string& path) {
  std::string bytes;
  if (path == "-") {
    if (!ReadAll(STDIN_FILENO, bytes)) return false;
  } else {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool read = ReadAll(fd, bytes);
    const int error = errno;
    close(fd);
    if (!read) {
      errno = error;
      return false;
    }
  }
  SetBytes(path, std::move(bytes));
  return true;
}

void CInputFile::SetBytes(std::string path, std::string bytes) {
  m_strPath = std::move(path);
  m_bytes = std::move(bytes);
  m_kind = DetectDrawingKind(m_bytes);
  m_bParsed = false;
  m_drawings.clear();
  m_strMessage.clear();
}

size_t CInputFile::DrawingCount() {
  Parse();
  m_strMessage = m_bReadable ? std::string() : m_strParseMessage;
  if (!m_bReadable) return 0;
  return m_kind == DrawingKind::kOrb ? 1 : m_drawings.size();
}

const std::vector<CPlacedText>* CInputFile::Texts(size_t index) {
  if (DrawingCount() == 0 || m_kind == DrawingKind::kOrb ||
      index >= m_drawings.size()) {
    return nullptr;
  }
  if (m_kind == DrawingKind::kPdf && m_drawings[index].empty()) {
    m_strMessage = InputMessage("", m_strPath,
                                " page " + std::to_string(index + 1) +
                                    kMsgNoTextSuffix);
    return nullptr;
  }
  return &m_drawings[index];
}

void CInputFile::Parse() {
  if (m_bParsed) return;
  m_bParsed = true;
  m_bReadable = false;
  switch (m_kind) {
    case DrawingKind::kOrb:
      m_bReadable = true;
      return;
    case DrawingKind::kBinaryDxf:
    case DrawingKind::kDwg:
      m_strParseMessage = InputMessage("", m_strPath, kMsgBinaryDrawingSuffix);
      return;
    case DrawingKind::kDxf: {
      m_drawings.assign(1, {});
      const std::string failure = ReadDxfTexts(m_bytes, m_drawings[0]);
      if (!failure.empty()) {
        m_drawings.clear();
        m_strParseMessage =
            InputMessage(kMsgDamagedDxf, m_strPath, " (" + failure + ")");
        return;
      }
      m_bReadable = true;
      return;
    }
    case DrawingKind::kPdf:
      ParsePdf();
      return;
  }
}

void CInputFile::ParsePdf() {
  // The module stays loaded while it reads.
  CProgramModule module;
  KelconvPdfReadFn reader = m_pdfReader;
  if (reader == nullptr) {
    if (module.Open(ProgramDirectory(), "kelconv-pdf.so")) {
      reader = reinterpret_cast<KelconvPdfReadFn>(
          module.Symbol(KELCONV_PDF_READ_SYMBOL));
    }
    if (reader == nullptr) {
      m_strParseMessage = InputMessage(kMsgNoPdfModule, module.Path(),
                                       " (" + module.Error() + ")");
      return;
    }
  }
  const int result = ReadPdfPages(m_bytes, reader, m_drawings);
  if (result == kKelconvPdfEncrypted) {
    m_strParseMessage = InputMessage("", m_strPath, kMsgEncryptedPdfSuffix);
  } else if (result != kKelconvPdfRead || m_drawings.empty()) {
    m_strParseMessage = InputMessage(kMsgDamagedPdf, m_strPath);
  } else {
    m_bReadable = true;
    return;
  }
  m_drawings.clear();
}
