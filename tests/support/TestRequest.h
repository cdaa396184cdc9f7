// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "job/ConversionJob.h"

// The request the tests make most: `input` into `output` with `config`,
// overwriting the output for the first file of a run and appending after.
inline CConversionRequest TestRequest(const std::string& input,
                                      const std::string& output,
                                      const std::string& config,
                                      bool exportRows = false,
                                      int fileIndex = 0, int headerOption = 0) {
  CConversionRequest request;
  request.input = input;
  request.output = output;
  request.config = config;
  request.kind = exportRows ? OutputKind::kExport : OutputKind::kKel;
  request.existing =
      fileIndex == 0 ? ExistingOutput::kOverwrite : ExistingOutput::kAppend;
  request.fileIndex = fileIndex;
  request.headerOption = headerOption;
  return request;
}
