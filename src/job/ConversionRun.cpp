// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConversionRun.h"

#include "job/DrawingWalk.h"
#include "job/PatternExpansion.h"

namespace {

std::string Count(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

bool IRunObserver::StartFile(size_t, size_t, const std::string&) {
  return true;
}

void IRunObserver::FileDone(const CConversionJob&) {}

CRunResult RunConversions(CConversionJob& job, CConversionRequest request,
                          const std::vector<std::string>& inputs,
                          IRunObserver& observer) {
  CRunResult result;
  const CInputFiles files = ExpandInputs(inputs);
  if (files.groups.empty() || !files.unmatched.empty()) {
    result.end = CRunResult::End::kNoMatch;
    result.unmatched = files.unmatched;
    return result;
  }
  size_t fileCount = 0;
  for (const auto& group : files.groups) fileCount += group.size();
  result.files = fileCount;

  const ExistingOutput firstMode = request.existing;
  size_t index = 0;
  for (const auto& group : files.groups) {
    CDrawingWalk walk(group);
    CDrawing drawing;
    while (walk.Next(drawing)) {
      if (drawing.page == 0) {
        if (!observer.StartFile(index++, fileCount, drawing.path)) {
          result.end = CRunResult::End::kCancelled;
          return result;
        }
        result.files += drawing.pages - 1;
        result.pages = result.pages || drawing.pages > 1;
      }
      // Until a drawing of this run has been written, the output is treated
      // as the request says; after that every drawing is appended to it.
      SetDrawing(request, drawing);
      request.existing =
          result.written == 0 ? firstMode : ExistingOutput::kAppend;
      request.fileIndex = static_cast<int>(result.written);
      job.ConvertFile(request);
      observer.FileDone(job);
      const JobOutcome outcome = job.Outcome();
      if (outcome == JobOutcome::kWritten) {
        ++result.written;
        continue;
      }
      if (outcome == JobOutcome::kSkipped) {
        ++result.skipped;
        continue;
      }
      ++result.failed;
      if (outcome == JobOutcome::kDeclined) {
        // Nothing more may be written to a file the user chose to keep.
        result.end = CRunResult::End::kDeclined;
        return result;
      }
      if (outcome == JobOutcome::kFailed || request.kind == OutputKind::kKel) {
        result.end = CRunResult::End::kStopped;
        return result;
      }
      break;  // an export goes on with the next pattern
    }
  }
  return result;
}

CClosingMessage ClosingMessage(const CRunResult& result, OutputKind kind,
                               RunAudience audience) {
  using End = CRunResult::End;
  if (result.end == End::kNoMatch) {
    return {kMsgNoWildcardMatch, MessageLevel::kError};
  }
  if (result.end == End::kDeclined) return {};
  const bool exported = kind == OutputKind::kExport;
  const bool dialog = audience == RunAudience::kDialog;
  if (result.AllWritten() && dialog) {
    return {exported ? kMsgExported : kMsgConverted,
            MessageLevel::kInformation};
  }
  const bool cancelled = result.end == End::kCancelled;
  if (result.files <= 1 && !cancelled) return {};

  const char* verb = exported ? "exported" : "converted";
  std::string text = (cancelled ? "Cancelled: " : "") +
                     std::to_string(result.written) + " of " +
                     (result.pages ? Count(result.files, "drawing", "drawings")
                                   : Count(result.files, "file", "files")) +
                     " " + verb;
  if (result.skipped > 0) {
    text += "; " + std::to_string(result.skipped) +
            " skipped: the configuration does not apply";
  }
  if (result.failed > 0) {
    text += "; " + std::to_string(result.failed) + " failed";
  }
  const size_t rest =
      result.files - result.written - result.skipped - result.failed;
  if (rest > 0) {
    text += "; " + std::to_string(rest) + " not " + verb;
    if (!cancelled) text += " after a failure";
  }
  text += ".";
  const MessageLevel level = result.AllWritten()  ? MessageLevel::kInformation
                             : result.written > 0 ? MessageLevel::kWarning
                                                  : MessageLevel::kError;
  return {text, level};
}
