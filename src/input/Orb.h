// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/Configuration.h"
#include "input/OrbRow.h"
#include "text/ShortText.h"

class CInputFile;   // input/InputFile.h
struct COrbRecord;  // input/OrbRecord.h

// One positioned text of a bill-of-material file.
struct COrbText {
  int32_t m_x = 0;  // thousandths of a drawing unit
  int32_t m_y = 0;  // thousandths of a drawing unit; larger is higher up
  CShortText m_text;  // 16 bytes: a drawing may hold millions of texts
};

// A matched header text: its horizontal position and the configured column
// it matched.
struct COrbHeader {
  int32_t m_x = 0;
  int m_nColumn = 0;
};

// The bill-of-material document of one reading of one input file.
//
// Lifecycle: constructed -> read (ReadOrbFile) -> configured
// (ApplyConfiguration). A document is made for one reading of one file and
// never reused; it owns its texts, its rows and the configuration loaded
// into it.
class COrb {
 public:
  // Texts in reading order: top to bottom (larger m_y first), then left to
  // right; texts that shared one position are merged into one.
  std::vector<COrbText> m_texts;
  // Rows built by ApplyConfiguration, top row first. Their cells refer to
  // the texts of m_texts (COrbRow::Share), which is not copied: while the
  // rows are read, m_texts may be moved elsewhere (its texts stay where
  // they are) but neither changed nor destroyed.
  std::vector<COrbRow> m_rows;
  // The configuration applied to this document.
  CConfiguration m_config;
  int m_nRows = 0;
  int m_nColumns = 0;
  // The input's file name: the part of the path after its last "/".
  std::string m_strFileName;
  // Optional, not owned: when set (before ReadOrbFile), reading, table
  // building and KEL writing record what they did into it (OrbRecord.h).
  // The outputs are the same with or without it.
  COrbRecord* m_pRecord = nullptr;

  // Reads the file at `path` into m_texts. `invertX` / `invertY` negate the
  // coordinates before sorting, so the order becomes right to left / bottom
  // to top. Every phrase of `discardList` (may be null) is cut out of each
  // entity line, case-insensitively, at most 30 times, before it is parsed.
  // Returns 0 when the file was read, -1 when it cannot be opened or read.
  // Call once, on a newly constructed document.
  //
  // Entity lines read "(x y z),text" after leading white space; other lines
  // give nothing. Lines may end in LF or CR LF. Numbers are read with the C
  // locale's decimal point whatever the process locale; numbers that do not
  // scan count as 0. A coordinate becomes thousandths truncated toward zero,
  // clamped to +-2147483647 (NaN gives 0); when x is 0 the position is (y, z),
  // else when y is 0 it is (x, z). The text is everything after the first
  // comma, trailing white space removed (empty without a comma). Of texts at
  // one position, the first non-empty one in file order survives.
  //
  // The file may also be a DXF or PDF (ReadDrawing); of a PDF, page 1 is read.
  int ReadOrbFile(const std::string& path, bool invertX, bool invertY,
                  const std::vector<std::string>* discardList);

  // Reads drawing `drawing` (0-based: the page of a PDF; 0 for any other
  // kind) of `input` into m_texts, with the flags and the discard list of
  // ReadOrbFile. An .orb is read as ReadOrbFile says. The texts of a DXF or
  // PDF (InputFile.h) take the same road: positions become thousandths
  // (rounded to millionths first, then truncated toward zero), the discard
  // phrases are cut out of each text, and they are sorted and merged alike.
  // Returns 0, or -1 when the drawing cannot be read; then `message` (when
  // given) gets the reader's message, or stays as it was when the file
  // could not be read at all (memory ran out, a drawing past the end).
  int ReadDrawing(CInputFile& input, size_t drawing, bool invertX,
                  bool invertY, const std::vector<std::string>* discardList,
                  std::string* message = nullptr);

  // Fills this new document with what ReadDrawing with invertY set (and
  // invertX not) gives, from `read`: a document of the same drawing read
  // with neither flag. The bytes are not read again, and the texts and the
  // reading's record (when both documents have one) come out the same:
  // texts at one position merge alike whichever way the heights run. Returns
  // 0, or -1 when memory runs out.
  int ReadUpsideDown(const COrb& read);

  // Loads the configuration file at `configPath` into m_config and rebuilds
  // the table into m_rows / m_nRows / m_nColumns. Returns 0 when the
  // configuration applies (a mark, a quantity and a material column were
  // found), -2 when it does not (rows are still built from the headers that
  // matched), -1 with errno saying why when the file cannot be read. A
  // damaged configuration file throws CArchiveException, which the caller
  // handles.
  int ApplyConfiguration(const std::string& configPath);

  // Rebuilds the table from m_texts with the configuration already in
  // m_config. Same results as ApplyConfiguration, without the file.
  int ApplyLoadedConfiguration();

  // Writes the rows as a KEL file (or, with `memoryOut` non-null, appends the
  // text to *memoryOut instead of writing a file). `openMode` is
  // kOpenCreateWrite or kOpenWriteNoTruncate. Returns 0 on success, -1 when
  // the file cannot be opened or written.
  int WriteKelFile(const std::string& outputPath, int openMode,
                   std::string* memoryOut, const std::string& jobNumber,
                   const std::string& jobName, const std::string& customer,
                   int fileIndex);

  // Writes the rows as "~"-delimited text. `headerOption`: 0 no column
  // headers, 1 once (first file only), 2 before each drawing. Returns 0 on
  // success, -1 on failure.
  int WriteExportFile(const std::string& outputPath, int openMode,
                      int headerOption, int fileIndex);

 private:
  int ReadOrbBytes(CInputFile& input, bool invertX, bool invertY,
                   const std::vector<std::string>* discardList);
};

// Open modes for the writers: create (or truncate) and write, or write
// without truncating and append at the end (fails when the file is absent).
inline constexpr int kOpenCreateWrite = 0x1001;
inline constexpr int kOpenWriteNoTruncate = 0x2001;
