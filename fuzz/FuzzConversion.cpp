// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the whole conversion of a bill-of-material file under a
// configuration file, to KEL text and to export text, as the conversion job
// does it: read, match the configuration, on no match read again inverted
// bottom to top, then write.
//
// Input: the .orb file, the .cfg file, the discard list, and an options
// part (byte 0: export header option 0-2 in its low bits, bit 2: not the
// first file, bit 3: convert again with a record of every step, which must
// not change the outputs; then NUL-separated job number, job name and
// customer), parted by separator lines (FuzzSupport.h).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Archive.h"
#include "input/DiscardList.h"
#include "input/DrawingKind.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"

namespace {

// Every line ends in CR LF and holds no other CR or LF.
void CheckLines(const std::string& text) {
  size_t begin = 0;
  while (begin < text.size()) {
    const size_t end = text.find("\r\n", begin);
    FUZZ_CHECK(end != std::string::npos);
    for (size_t i = begin; i < end; ++i) {
      FUZZ_CHECK(text[i] != '\n' && text[i] != '\r');
    }
    begin = end + 2;
  }
}

struct Outputs {
  bool m_bConfigValid = true;  // false: the configuration file is damaged
  int m_nApplied = -2;
  std::string m_strExport;
  std::string m_strKel;  // only when the configuration applies
  bool operator==(const Outputs&) const = default;
};

struct Job {
  const fuzz::ScratchFile& m_orb;
  const fuzz::ScratchFile& m_cfg;
  fuzz::ScratchFile& m_export;
  const std::vector<std::string>& m_discardList;
  int m_nHeaderOption;
  int m_nFileIndex;
  std::vector<std::string> m_fields;  // job number, job name, customer
};

// Reads (with a record of every step when `record` is set), applies the
// configuration, reads again inverted when it does not apply, and writes.
Outputs Convert(Job& job, bool record) {
  Outputs out;
  COrbRecord firstRecord;
  COrbRecord secondRecord;
  try {
    auto document = std::make_unique<COrb>();
    if (record) document->m_pRecord = &firstRecord;
    FUZZ_CHECK(document->ReadOrbFile(job.m_orb.Path(), false, false,
                                     &job.m_discardList) == 0);
    out.m_nApplied = document->ApplyConfiguration(job.m_cfg.Path());
    FUZZ_CHECK(out.m_nApplied == 0 || out.m_nApplied == -2);
    if (out.m_nApplied == -2) {
      auto second = std::make_unique<COrb>();
      if (record) second->m_pRecord = &secondRecord;
      FUZZ_CHECK(second->ReadOrbFile(job.m_orb.Path(), false, true,
                                     &job.m_discardList) == 0);
      out.m_nApplied = second->ApplyConfiguration(job.m_cfg.Path());
      FUZZ_CHECK(out.m_nApplied == 0 || out.m_nApplied == -2);
      if (out.m_nApplied == 0) document = std::move(second);
    }
    FUZZ_CHECK(document->m_nRows >= 0 && document->m_nColumns >= 0);
    FUZZ_CHECK(static_cast<size_t>(document->m_nRows) ==
               document->m_rows.size());

    // Exporting leaves the document as it is; the KEL writer may rewrite
    // quantity cells, so it goes second.
    job.m_export.Remove();
    FUZZ_CHECK(document->WriteExportFile(job.m_export.Path(), kOpenCreateWrite,
                                         job.m_nHeaderOption,
                                         job.m_nFileIndex) == 0);
    out.m_strExport = job.m_export.Read();
    CheckLines(out.m_strExport);
    if (out.m_nApplied == 0) {
      FUZZ_CHECK(document->WriteKelFile(std::string(), kOpenCreateWrite,
                                        &out.m_strKel, job.m_fields[0],
                                        job.m_fields[1], job.m_fields[2],
                                        job.m_nFileIndex) == 0);
      CheckLines(out.m_strKel);
    }
  } catch (const CArchiveException&) {
    // A damaged configuration: the job says so and writes nothing.
    out = Outputs();
    out.m_bConfigValid = false;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile orbFile("job.orb");
  static fuzz::ScratchFile cfgFile("job.cfg");
  static fuzz::ScratchFile discardFile("DISCARD.TXT");
  static fuzz::ScratchFile exportFile("job.txt");
  const auto parts = fuzz::SplitInput(fuzz::AsText(data, size), 4);
  const unsigned options =
      parts[3].empty() ? 0u : static_cast<unsigned char>(parts[3][0]);

  // Only text dumps are converted here; the other kinds of drawing have
  // their own reader targets.
  if (DetectDrawingKind(parts[0]) != DrawingKind::kOrb) return 0;
  orbFile.Write(parts[0]);
  cfgFile.Write(parts[1]);
  std::vector<std::string> discardList;
  LoadDiscardList(discardFile.Write(parts[2]), discardList);

  Job job{orbFile,
          cfgFile,
          exportFile,
          discardList,
          static_cast<int>(options & 3u) % 3,
          (options & 4u) != 0 ? 1 : 0,
          fuzz::SplitOnNul(parts[3].empty() ? parts[3] : parts[3].substr(1))};
  job.m_fields.resize(std::max<size_t>(job.m_fields.size(), 3));

  const Outputs plain = Convert(job, false);
  if ((options & 8u) != 0) FUZZ_CHECK(Convert(job, true) == plain);
  return 0;
}
