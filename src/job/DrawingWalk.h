// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "input/InputFile.h"
#include "job/ConversionJob.h"

// One drawing to convert: a file, and of a PDF one page. A conversion's
// unit of work is a drawing: the pages of a PDF are converted in page order,
// as the files of a pattern are.
struct CDrawing {
  std::string path;
  size_t page = 0;   // 0-based; 0 for an .orb or DXF
  size_t pages = 1;  // of its file (1 when the file cannot be read)
  // The file, read once and shared by its pages; null when it cannot be
  // read (the conversion job then reports "Unable to open").
  std::shared_ptr<CInputFile> file;
};

// Walks the drawings of input files, in the order of the paths and, within
// a PDF, of its pages. Each file is read when the walk reaches it and let go
// when the walk leaves it, so that a long pattern never holds more than one
// file in memory. A file that cannot be read, or read as its kind, gives
// one drawing, so that the job reports why.
class CDrawingWalk {
 public:
  explicit CDrawingWalk(std::vector<std::string> paths)
      : m_paths(std::move(paths)) {}

  // Sets `drawing` to the next drawing and returns true; false at the end.
  bool Next(CDrawing& drawing);

 private:
  std::vector<std::string> m_paths;
  size_t m_nPath = 0;
  CDrawing m_current;
  bool m_bStarted = false;
};

// Points `request` at `drawing`: its path, page and the file read once.
inline void SetDrawing(CConversionRequest& request, const CDrawing& drawing) {
  request.input = drawing.path;
  request.page = drawing.page;
  request.file = drawing.file;
}
