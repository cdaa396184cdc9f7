#include "app/ConversionJob.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "config/Archive.h"
#include "input/DiscardList.h"
#include "input/Orb.h"

namespace {

enum class Choice { kOverwrite, kAppend, kCancel };

bool FileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace

std::string QuotedMessage(const std::string& prefix, const std::string& path,
                          const std::string& suffix) {
  return prefix + "\"" + path + "\"" + suffix;
}

int CConversionJob::ConvertFile(const std::string& inputPath,
                                std::string& outputPath,
                                const std::string& configPath, bool exportRows,
                                int existingOutput, int fileIndex,
                                int headerOption, const std::string& jobNumber,
                                const std::string& jobName,
                                const std::string& customer) {
  m_bWroteOutput = false;
  try {
    return RunJob(inputPath, outputPath, configPath, exportRows, existingOutput,
                  fileIndex, headerOption, jobNumber, jobName, customer);
  } catch (const CArchiveException&) {
    // A damaged configuration file: nothing was written.
    m_ui.ShowMessage(kMsgInvalidConfig);
    return -1;
  } catch (const std::exception&) {
    // An exhausted resource or another unexpected failure ends the job; its
    // documents are gone with the stack.
    return -1;
  }
}

int CConversionJob::RunJob(const std::string& inputPath,
                           std::string& outputPath,
                           const std::string& configPath, bool exportRows,
                           int existingOutput, int fileIndex, int headerOption,
                           const std::string& jobNumber,
                           const std::string& jobName,
                           const std::string& customer) {
  std::vector<std::string> discardList;
  LoadDiscardList(m_strDiscardListPath, discardList);

  auto first = std::make_unique<COrb>();
  if (first->ReadOrbFile(inputPath, false, false, &discardList) != 0) {
    m_ui.ShowMessage(QuotedMessage(kMsgUnableToOpen, inputPath));
    return -1;
  }

  const size_t start = outputPath.find_first_not_of(' ');
  outputPath.erase(0, start == std::string::npos ? outputPath.size() : start);
  if (outputPath.empty()) {
    m_ui.ShowMessage(kMsgOutputRequired);
    return -1;
  }

  // What to do with an existing output is decided now but acted on only
  // after the configuration has been matched.
  const bool exists = FileExists(outputPath);
  Choice choice = Choice::kOverwrite;
  switch (existingOutput) {
    case kExistingAsk:
      if (exists) {
        const int answer = m_ui.AskOutputExists();
        choice = answer == IJobUi::kAnswerOverwrite ? Choice::kOverwrite
                 : answer == IJobUi::kAnswerAppend  ? Choice::kAppend
                                                    : Choice::kCancel;
      }
      break;
    case kExistingAppend:
      choice = Choice::kAppend;
      break;
    case kExistingOverwrite:
      break;
    default:
      if (exists) {
        m_ui.ShowMessage(kMsgFileExists);
        choice = Choice::kCancel;
      }
      break;
  }

  COrb* document = first.get();
  std::unique_ptr<COrb> second;
  const int applied = first->ApplyConfiguration(configPath);
  if (applied == -2) {
    // The table may have been drawn from the bottom upwards.
    second = std::make_unique<COrb>();
    if (second->ReadOrbFile(inputPath, false, true, &discardList) != 0) {
      m_ui.ShowMessage(QuotedMessage(kMsgUnableToOpen, inputPath));
      return -1;
    }
    const int secondApplied = second->ApplyConfiguration(configPath);
    if (secondApplied == 0) {
      document = second.get();
    } else if (secondApplied != -2) {
      m_ui.ShowMessage(kMsgInvalidConfig);
      return -1;
    } else if (!exportRows) {
      m_ui.ShowMessage(QuotedMessage(kMsgConfigDoesNotApply, inputPath,
                                     kMsgConfigDoesNotApplySuffix));
      return 0;
    }
  } else if (applied != 0) {
    // The configuration file cannot be read: say so rather than report a
    // conversion that wrote nothing as a success.
    m_ui.ShowMessage(kMsgInvalidConfig);
    return -1;
  }

  if (choice == Choice::kCancel) return -1;

  const int openMode =
      choice == Choice::kOverwrite ? kOpenCreateWrite : kOpenWriteNoTruncate;
  const int written =
      exportRows
          ? document->WriteExportFile(outputPath, openMode, headerOption,
                                      fileIndex)
          : document->WriteKelFile(outputPath, openMode, nullptr, jobNumber,
                                   jobName, customer, fileIndex);
  if (written != 0) {
    m_ui.ShowMessage(QuotedMessage(kMsgUnableToProcess, inputPath));
    return -1;
  }
  m_bWroteOutput = true;
  return 0;
}
