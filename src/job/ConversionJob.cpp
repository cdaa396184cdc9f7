// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConversionJob.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "job/ConversionReport.h"
#include "config/Archive.h"
#include "input/DiscardList.h"
#include "input/Orb.h"
#include "input/OrbRecord.h"
#include "writers/ExportWriter.h"
#include "writers/KelWriter.h"
#include "writers/LineTarget.h"
#include "writers/OutputFile.h"

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
  return InputMessage(prefix, path, suffix);
}

std::string SystemReason(int error) {
  return error == 0 ? std::string() : std::string(": ") + std::strerror(error);
}

std::string UnableToOpenMessage(const std::string& path, int error) {
  return QuotedMessage(kMsgUnableToOpen, path, SystemReason(error));
}

std::string InvalidConfigMessage(const std::string& path, int error) {
  return QuotedMessage(std::string(kMsgInvalidConfig) + " ", path,
                       SystemReason(error));
}

std::string InvalidConfigMessage(const std::string& path,
                                 const CArchiveException& damage) {
  const std::string where =
      damage.Size() == 0
          ? ": the file is empty"
          : ": damaged: it ends inside the value at offset " +
                std::to_string(damage.Offset()) + " (the file has " +
                std::to_string(damage.Size()) + " bytes)";
  return QuotedMessage(std::string(kMsgInvalidConfig) + " ", path, where);
}

int CConversionJob::ConvertFile(const CConversionRequest& request) {
  m_outcome = JobOutcome::kFailed;
  const std::string& inputPath = request.input;
  if (m_pReport != nullptr) {
    m_pReport->Start(inputPath, request.config,
                     request.kind == OutputKind::kExport);
  }
  const size_t start = request.output.find_first_not_of(' ');
  const std::string outputPath =
      start == std::string::npos ? std::string() : request.output.substr(start);
  int result = -1;
  try {
    result = RunJob(request, outputPath);
  } catch (const CArchiveException& damage) {
    // A damaged configuration file: nothing was written.
    m_outcome = JobOutcome::kFailed;
    Show(InvalidConfigMessage(request.config, damage));
  } catch (const std::exception&) {
    m_outcome = JobOutcome::kFailed;
    // Memory ran out, or another unexpected failure: the job ends, its
    // documents are gone with the stack, and that frees room to say so.
    try {
      Show(QuotedMessage(kMsgUnableToProcess, inputPath));
    } catch (const std::exception&) {
      // Not even the message could be made; the result still tells.
    }
  }
  if (m_pReport != nullptr) {
    m_pReport->m_strOutput = outputPath;
    m_pReport->m_outcome =
        m_outcome == JobOutcome::kWritten   ? ReportOutcome::kWritten
        : m_outcome == JobOutcome::kSkipped ? ReportOutcome::kDoesNotApply
                                            : ReportOutcome::kFailed;
    try {
      m_pReport->Finish();
    } catch (const std::exception&) {
      // Memory ran out for the warnings: the report goes without them.
    }
  }
  return result;
}

void CConversionJob::Show(const std::string& text, MessageLevel level) {
  m_ui.ShowMessage(text, level);
  if (m_pReport == nullptr) return;
  try {
    m_pReport->m_messages.push_back(text);
  } catch (const std::exception&) {
    // The message was shown; the report goes without it.
  }
}

int CConversionJob::RunJob(const CConversionRequest& request,
                           const std::string& outputPath) {
  const std::string& inputPath = request.input;
  const std::string& configPath = request.config;
  const bool exportRows = request.kind == OutputKind::kExport;
  std::vector<std::string> discardList;
  if (!LoadDiscardList(m_strDiscardListPath, discardList)) {
    Show(QuotedMessage(kMsgDiscardListIgnored, m_strDiscardListPath,
                       kMsgDiscardListIgnoredSuffix),
         MessageLevel::kWarning);
  }

  // The records of the two readings, kept only when a report is made.
  COrbRecord firstRecord;
  COrbRecord secondRecord;
  // The input is read once; both readings parse the same bytes.
  std::shared_ptr<CInputFile> input = request.file;
  if (input == nullptr) {
    input = std::make_shared<CInputFile>();
    if (!input->Load(inputPath)) {
      Show(UnableToOpenMessage(inputPath, errno));
      m_outcome = JobOutcome::kInputFailed;
      return -1;
    }
  }
  if (m_pReport != nullptr) {
    m_pReport->m_kind = input->Kind();
    m_pReport->m_nPage = request.page;
    m_pReport->m_nPages = std::max<size_t>(input->DrawingCount(), 1);
  }
  // An .orb is one drawing: once it is read, its bytes are no longer
  // needed, the second reading below is made from the first one's texts.
  if (input->Kind() == DrawingKind::kOrb) input->SetReleaseBytesWhenRead(true);
  auto first = std::make_unique<COrb>();
  if (m_pReport != nullptr) first->m_pRecord = &firstRecord;
  std::string readMessage;
  if (first->ReadDrawing(*input, request.page, false, false, &discardList,
                         &readMessage) != 0) {
    Show(readMessage.empty() ? QuotedMessage(kMsgUnableToOpen, inputPath)
                             : readMessage);
    m_outcome = JobOutcome::kInputFailed;
    return -1;
  }

  if (outputPath.empty()) {
    Show(kMsgOutputRequired);
    return -1;
  }
  // Whatever its name, the output must not be a file the job reads.
  const char* sameAs = SameFile(outputPath, inputPath)  ? kMsgIsTheInputFile
                       : SameFile(outputPath, configPath) ? kMsgIsTheConfigFile
                                                          : nullptr;
  if (sameAs != nullptr) {
    Show(QuotedMessage(kMsgUnableToProcess, inputPath) +
         QuotedMessage(kMsgOutputIsInput, outputPath, sameAs));
    return -1;
  }

  // What to do with an existing output is decided now but acted on only
  // after the configuration has been matched.
  const bool exists = FileExists(outputPath);
  Choice choice = Choice::kOverwrite;
  switch (request.existing) {
    case ExistingOutput::kAsk:
      if (exists) {
        const int answer = m_ui.AskOutputExists();
        if (answer != IJobUi::kAnswerOverwrite &&
            answer != IJobUi::kAnswerAppend) {
          m_outcome = JobOutcome::kDeclined;
        }
        choice = answer == IJobUi::kAnswerOverwrite ? Choice::kOverwrite
                 : answer == IJobUi::kAnswerAppend  ? Choice::kAppend
                                                    : Choice::kCancel;
      }
      break;
    case ExistingOutput::kAppend:
      choice = Choice::kAppend;
      break;
    case ExistingOutput::kOverwrite:
      break;
    case ExistingOutput::kRefuse:
      if (exists) {
        Show(kMsgFileExists);
        choice = Choice::kCancel;
      }
      break;
  }

  COrb* document = first.get();
  std::unique_ptr<COrb> second;
  // Whichever way the job ends from here on, the report gets the document
  // it ended with.
  struct ReportOnExit {
    CConversionReport* m_pReport;
    COrb*& m_pDocument;
    COrbRecord& m_first;
    COrbRecord& m_second;
    bool m_bApplies = false;
    ~ReportOnExit() {
      if (m_pReport == nullptr) return;
      const bool inverted = m_pDocument->m_pRecord == &m_second;
      m_pReport->m_bInvertedTried = m_second.m_read.m_bRead;
      m_pReport->TakeDocument(*m_pDocument, inverted ? m_second : m_first,
                              inverted, m_bApplies);
    }
  } reportOnExit{m_pReport, document, firstRecord, secondRecord};

  int applied = first->ApplyConfiguration(configPath);
  int readError = errno;  // why a configuration file could not be read
  reportOnExit.m_bApplies = applied == 0;
  if (applied == -2) {
    // The table may have been drawn from the bottom upwards.
    second = std::make_unique<COrb>();
    if (m_pReport != nullptr) second->m_pRecord = &secondRecord;
    if (second->ReadUpsideDown(*first) != 0) {
      Show(QuotedMessage(kMsgUnableToOpen, inputPath));
      m_outcome = JobOutcome::kInputFailed;
      return -1;
    }
    applied = second->ApplyConfiguration(configPath);
    readError = errno;
    if (applied == 0) {
      document = second.get();
      reportOnExit.m_bApplies = true;
    } else if (applied == -2 && !exportRows) {
      Show(QuotedMessage(kMsgConfigDoesNotApply, inputPath,
                         kMsgConfigDoesNotApplySuffix),
           MessageLevel::kWarning);
      // Cancel in "Warning!" still ends the run that asked.
      if (m_outcome != JobOutcome::kDeclined) m_outcome = JobOutcome::kSkipped;
      return 0;
    }
  }
  if (applied != 0 && applied != -2) {
    // The configuration file cannot be read: say so rather than report a
    // conversion that wrote nothing as a success.
    Show(InvalidConfigMessage(configPath, readError));
    return -1;
  }

  if (choice == Choice::kCancel) return -1;

  const int openMode =
      choice == Choice::kOverwrite ? kOpenCreateWrite : kOpenWriteNoTruncate;
  if (m_pReport != nullptr) m_pReport->m_bKelWriter = !exportRows;
  CLineTarget target;
  int written = target.OpenFile(outputPath, openMode, m_pOutputCalls);
  if (written == 0) {
    written = exportRows
                  ? WriteExportDocument(*document, target,
                                        request.headerOption, request.fileIndex)
                  : WriteKelDocument(*document, target);
  }
  if (target.Close() != 0) written = -1;
  if (written != 0) {
    Show(QuotedMessage(kMsgUnableToProcess, inputPath) +
         QuotedMessage(kMsgCannotWrite, outputPath,
                       target.Error() != 0 ? ": " + ErrorText(target.Error())
                                           : std::string()));
    return -1;
  }
  m_outcome = JobOutcome::kWritten;
  return 0;
}
