// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "input/DrawingKind.h"
#include "input/PdfModule.h"

// One text of a DXF or PDF drawing where a person sees its first line
// start: the left end of its baseline, in drawing units (PDF: points), y up.
struct CPlacedText {
  double m_x = 0.0;
  double m_y = 0.0;
  std::string m_text;  // single-byte (Latin-1)
};

// One input file, read into memory once so that every reading of it (top to
// bottom, then bottom to top; the display, the preview) sees the same bytes,
// also when it came from a pipe. Its kind is chosen from its bytes. A PDF
// holds one drawing per page, every other kind one drawing. A DXF or PDF is
// parsed once, on the first question about its drawings.
class CInputFile {
 public:
  // Reads every byte of `path`; "-" reads standard input. Returns false,
  // with errno saying why, when the file cannot be opened or read (a
  // directory, for one).
  bool Load(const std::string& path);

  // Takes `bytes` as the content of a file named `path`.
  void SetBytes(std::string path, std::string bytes);

  // The function that reads PDF bytes; null (the default) loads it from the
  // program's PDF module when a PDF is first read.
  void SetPdfReader(KelconvPdfReadFn reader) { m_pdfReader = reader; }

  // With `release` set, the next reading of an .orb (COrb::ReadDrawing)
  // frees the bytes as soon as it has taken its texts from them, so that a
  // large file is not held in memory twice over: Bytes() is then empty, and
  // the kind and drawing count stay as they were.
  void SetReleaseBytesWhenRead(bool release) { m_bReleaseWhenRead = release; }
  bool ReleasesBytesWhenRead() const { return m_bReleaseWhenRead; }
  void ReleaseBytes() {
    std::string().swap(m_bytes);
    m_pRead.reset();
    m_nRead = 0;
  }

  const std::string& Path() const { return m_strPath; }
  std::string_view Bytes() const {
    return m_pRead ? std::string_view(m_pRead.get(), m_nRead)
                   : std::string_view(m_bytes);
  }
  DrawingKind Kind() const { return m_kind; }

  // The number of drawings of the file: the pages of a PDF, 1 for an .orb
  // or DXF. 0 when the file cannot be read as its kind; Message() then says
  // why, naming the file.
  size_t DrawingCount();

  // The texts of drawing `index` (0-based) of a DXF or PDF, in the order
  // they were found; null for an .orb, for an index past the end, or when
  // the file cannot be read. A PDF page without text gives null and sets
  // Message() (the letters may have been drawn as lines).
  const std::vector<CPlacedText>* Texts(size_t index);

  // Why the last question failed, as a message to show; "" when none did.
  const std::string& Message() const { return m_strMessage; }

 private:
  void Parse();
  void ParsePdf();

  std::string m_strPath;
  // The bytes: read from a regular file into m_pRead, else in m_bytes.
  std::string m_bytes;
  std::unique_ptr<char[]> m_pRead;
  size_t m_nRead = 0;
  DrawingKind m_kind = DrawingKind::kOrb;
  KelconvPdfReadFn m_pdfReader = nullptr;
  bool m_bParsed = false;
  bool m_bReleaseWhenRead = false;
  bool m_bReadable = false;
  std::vector<std::vector<CPlacedText>> m_drawings;  // DXF, PDF
  std::string m_strParseMessage;  // why the file cannot be read
  std::string m_strMessage;
};

// Messages of the readers; each names the file in double quotes after a
// fixed beginning (see InputMessage).
inline constexpr const char* kMsgBinaryDrawingSuffix =
    " is a binary DXF/DWG file; save it as ASCII DXF";
inline constexpr const char* kMsgDamagedDxf = "Unable to read the DXF file ";
inline constexpr const char* kMsgDamagedPdf = "Unable to read the PDF file ";
inline constexpr const char* kMsgEncryptedPdfSuffix =
    " is encrypted; save it without a password";
inline constexpr const char* kMsgNoTextSuffix =
    ": no text found: its letters may be drawn as lines";
inline constexpr const char* kMsgNoPdfModule =
    "Unable to load the PDF reader ";

// "<prefix>"<path>"<suffix>".
std::string InputMessage(const std::string& prefix, const std::string& path,
                         const std::string& suffix = "");
