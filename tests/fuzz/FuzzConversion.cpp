// Fuzz target: the whole conversion of a bill-of-material file under a
// configuration file, to KEL text and to export text, as the conversion job
// does it: read, match the configuration, on no match read again inverted
// bottom to top, then write.
//
// Input: the .orb file, the .cfg file, the discard list, and an options
// part (byte 0: export header option 0-2 in its low bits, bit 2: not the
// first file; then NUL-separated job number, job name and customer), parted
// by separator lines (FuzzSupport.h).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "config/Archive.h"
#include "input/DiscardList.h"
#include "input/Orb.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static fuzz::ScratchFile orbFile("job.orb");
  static fuzz::ScratchFile cfgFile("job.cfg");
  static fuzz::ScratchFile discardFile("DISCARD.TXT");
  static fuzz::ScratchFile exportFile("job.txt");
  const auto parts = fuzz::SplitInput(fuzz::AsText(data, size), 4);
  const unsigned options =
      parts[3].empty() ? 0u : static_cast<unsigned char>(parts[3][0]);
  const int headerOption = static_cast<int>(options & 3u) % 3;
  const int fileIndex = (options & 4u) != 0 ? 1 : 0;
  std::vector<std::string> job =
      fuzz::SplitOnNul(parts[3].empty() ? parts[3] : parts[3].substr(1));
  job.resize(std::max<size_t>(job.size(), 3));

  orbFile.Write(parts[0]);
  cfgFile.Write(parts[1]);
  std::vector<std::string> discardList;
  LoadDiscardList(discardFile.Write(parts[2]), discardList);

  try {
    auto document = std::make_unique<COrb>();
    FUZZ_CHECK(
        document->ReadOrbFile(orbFile.Path(), false, false, &discardList) == 0);
    int applied = document->ApplyConfiguration(cfgFile.Path());
    FUZZ_CHECK(applied == 0 || applied == -2);
    if (applied == -2) {
      auto second = std::make_unique<COrb>();
      FUZZ_CHECK(
          second->ReadOrbFile(orbFile.Path(), false, true, &discardList) == 0);
      applied = second->ApplyConfiguration(cfgFile.Path());
      FUZZ_CHECK(applied == 0 || applied == -2);
      if (applied == 0) document = std::move(second);
    }
    FUZZ_CHECK(document->m_nRows >= 0 && document->m_nColumns >= 0);
    FUZZ_CHECK(static_cast<size_t>(document->m_nRows) ==
               document->m_rows.size());

    // Exporting leaves the document as it is; the KEL writer may rewrite
    // quantity cells, so it goes second.
    exportFile.Remove();
    FUZZ_CHECK(document->WriteExportFile(exportFile.Path(), kOpenCreateWrite,
                                         headerOption, fileIndex) == 0);
    CheckLines(exportFile.Read());
    if (applied == 0) {
      std::string kel;
      FUZZ_CHECK(document->WriteKelFile(std::string(), kOpenCreateWrite, &kel,
                                        job[0], job[1], job[2],
                                        fileIndex) == 0);
      CheckLines(kel);
    }
  } catch (const CArchiveException&) {
    // A damaged configuration: the job says so and writes nothing.
  }
  return 0;
}
