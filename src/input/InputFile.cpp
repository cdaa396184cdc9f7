// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <memory>
#include <new>
#include <utility>

#include "config/FileBytes.h"
#include "input/DxfReader.h"
#include "input/PdfReader.h"
#include "input/ProgramDirectory.h"
#include "input/ProgramModule.h"
#include "text/LargePages.h"
#include "text/SideTask.h"

std::string InputMessage(const std::string& prefix, const std::string& path,
                         const std::string& suffix) {
  return prefix + "\"" + path + "\"" + suffix;
}

namespace {

// From this size on, a file is read in two halves at once: the memory they
// go to is prepared for them on two processors.
constexpr size_t kParallelReadBytes = size_t{4} << 20;

// Reads `size` bytes from `offset` on. False when the file ends before, or
// on an error (errno says which).
bool ReadAt(int fd, char* data, size_t size, off_t offset) {
  while (size > 0) {
    const ssize_t got = pread(fd, data, size, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got;
    size -= static_cast<size_t>(got);
    offset += got;
  }
  return true;
}

// Reads the whole regular file of `size` bytes into `data`, which has room
// for one byte more. False when the file is not that long any more, has
// grown, or cannot be read.
bool ReadKnownSize(int fd, char* data, size_t size) {
  bool read = true;
  if (size >= kParallelReadBytes) {
    const size_t half = size / 2;
    bool second = false;
    int secondError = 0;
    CSideTask secondHalf([&] {
      second = ReadAt(fd, data + half, size - half, static_cast<off_t>(half));
      secondError = errno;
    });
    read = ReadAt(fd, data, half, 0);
    secondHalf.Join();
    if (read && !second) {
      errno = secondError;
      read = false;
    }
  } else {
    read = ReadAt(fd, data, size, 0);
  }
  // One byte more shows whether the file grew while it was read.
  return read && pread(fd, data + size, 1, static_cast<off_t>(size)) == 0;
}

}  // namespace

bool CInputFile::Load(const std::string& path) {
  std::string bytes;
  if (path == "-") {
    if (!ReadAll(STDIN_FILENO, bytes)) return false;
  } else {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // A regular file is read straight into room of its size, which is not
    // cleared first; one that changes while it is read is read again, to
    // its end, as any other file.
    struct stat info {};
    bool rewind = false;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
      rewind = true;
      const size_t size = static_cast<size_t>(info.st_size);
      std::unique_ptr<char[]> data;
      try {
        data = std::make_unique_for_overwrite<char[]>(size + 1);
      } catch (const std::bad_alloc&) {
        // The string below grows as it must.
      }
      if (data) AdviseLargePages(data.get(), size + 1);
      if (data && ReadKnownSize(fd, data.get(), size)) {
        close(fd);
        SetBytes(path, std::string());
        m_pRead = std::move(data);
        m_nRead = size;
        m_kind = DetectDrawingKind(Bytes());
        return true;
      }
    }
    const bool read =
        (!rewind || lseek(fd, 0, SEEK_SET) == 0) && ReadAll(fd, bytes);
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
  m_pRead.reset();
  m_nRead = 0;
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
      const std::string failure = ReadDxfTexts(Bytes(), m_drawings[0]);
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
  const int result = ReadPdfPages(Bytes(), reader, m_drawings);
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
