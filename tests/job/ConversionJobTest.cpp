// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConversionJob.h"

#include <gtest/gtest.h>

#include <new>

#include "FailingCalls.h"
#include "TempDir.h"
#include "TestConfiguration.h"
#include "config/Configuration.h"

namespace {

// A small drawing: a title, one header line and two item lines.
const char* kDrawing =
    "(1 100 0),BILL OF MATERIAL\n"
    "(1 90 0),MARK\n(11 90 0),QTY\n(21 90 0),DESCRIPTION\n(41 90 0),LENGTH\n"
    "(1 80 0),B1\n(11 80 0),2\n(21 80 0),W8X31\n(41 80 0),12'-6\n"
    "(1 70 0),B2\n(11 70 0),1\n(21 70 0),W12X26\n(41 70 0),20'\n";

class ConversionJobTest : public testing::Test {
 protected:
  void SetUp() override {
    m_config = WriteTestConfiguration(m_dir);
    m_input = m_dir.Write("in.orb", kDrawing);
    m_output = m_dir.Path("out.kel");
  }

  int Run(ExistingOutput mode, bool exportRows = false, std::string input = "") {
    return Run(mode, m_output, exportRows, input);
  }
  int Run(ExistingOutput mode, const std::string& output, bool exportRows = false,
          std::string input = "", IOutputCalls* calls = nullptr) {
    CConversionJob job(m_ui, m_dir.Path("DISCARD.TXT"));
    job.SetOutputCalls(calls);
    CConversionRequest request;
    request.input = input.empty() ? m_input : input;
    request.output = output;
    request.config = m_config;
    request.kind = exportRows ? OutputKind::kExport : OutputKind::kKel;
    request.existing = mode;
    const int result = job.ConvertFile(request);
    m_bWrote = job.WroteOutput();
    return result;
  }

  TempDir m_dir;
  CRecordingJobUi m_ui;
  std::string m_config, m_input, m_output;
  bool m_bWrote = false;
};

using Messages = std::vector<std::string>;

// One run into an output that is not there yet (or is the input): a failure
// creates none. (New outputs, appends and unwritable folders as the program
// runs them are run folders; these are the cases a caller of the job meets.)
TEST_F(ConversionJobTest, RunsWithoutAnExistingOutput) {
  const std::string pattern = m_dir.Path("in*.orb");
  // clang-format off
  struct Case { const char* name; ExistingOutput mode; std::string input, output; Messages messages; };
  const Case cases[] = {
      {"nothing to ask", ExistingOutput::kAsk, m_input, m_output, {}},
      {"leading blanks go", ExistingOutput::kOverwrite, m_input, "  " + m_output, {}},
      {"blank output name", ExistingOutput::kOverwrite, m_input, "    ", {kMsgOutputRequired}},
      // The output that is the input is refused before anything is asked.
      {"output is the input", ExistingOutput::kAsk, m_input, m_input,
       {"Unable to process \"" + m_input + "\": the output \"" + m_input + "\"" +
        kMsgIsTheInputFile}},
      // The input is reported before the (missing) output name.
      {"unreadable input", ExistingOutput::kRefuse, pattern, "   ",
       {"Unable to open \"" + pattern + "\": No such file or directory"}}};
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_ui = CRecordingJobUi();
    std::filesystem::remove(m_output);
    const bool ok = c.messages.empty();
    EXPECT_EQ(Run(c.mode, c.output, false, c.input), ok ? 0 : -1);
    EXPECT_EQ(m_ui.m_messages, c.messages);
    EXPECT_EQ(m_ui.m_nAsked, 0);
    EXPECT_EQ(m_bWrote, ok);
    EXPECT_EQ(std::filesystem::exists(m_output), ok);
    EXPECT_EQ(TempDir::Read(m_output).empty(), !ok);
  }
}

// The question about an existing output (the other modes are run folders):
// Cancel keeps it, Overwrite replaces it, Append adds after its bytes.
TEST_F(ConversionJobTest, ExistingOutputAsked) {
  const std::string before = "existing bytes\r\n";
  for (const int answer : {IJobUi::kAnswerCancel, IJobUi::kAnswerOverwrite,
                           IJobUi::kAnswerAppend}) {
    SCOPED_TRACE(answer);
    m_dir.Write("out.kel", before);
    m_ui = CRecordingJobUi(answer);
    EXPECT_EQ(Run(ExistingOutput::kAsk), answer == IJobUi::kAnswerCancel ? -1 : 0);
    EXPECT_EQ(m_ui.m_messages, Messages{});
    EXPECT_EQ(m_ui.m_nAsked, 1);
    const std::string after = TempDir::Read(m_output);
    EXPECT_EQ(after == before, answer == IJobUi::kAnswerCancel);
    EXPECT_EQ(after.starts_with(before) && after.size() > before.size(),
              answer == IJobUi::kAnswerAppend);
  }
}

// A disk that fills while the output is written: the output keeps every
// old byte, and the message names it and the system's reason.
TEST_F(ConversionJobTest, FullDiskLeavesTheOutputAsItWas) {
  const std::string message = "Unable to process \"" + m_input +
                              "\": cannot write \"" + m_output +
                              "\": No space left on device";
  for (const ExistingOutput mode :
       {ExistingOutput::kOverwrite, ExistingOutput::kAppend}) {
    for (const size_t room : {size_t{0}, size_t{20}}) {
      SCOPED_TRACE(room);
      m_ui = CRecordingJobUi();
      m_dir.Write("out.kel", "keep\r\n");
      CFailingCalls calls(room);
      EXPECT_EQ(Run(mode, m_output, room != 0, "", &calls), -1);
      EXPECT_FALSE(m_bWrote);
      EXPECT_EQ(m_ui.m_messages, Messages{message});
      EXPECT_EQ(TempDir::Read(m_output), "keep\r\n");
    }
  }
}

// Answers the "Warning!" question by running out of memory, as any step of
// a large conversion may.
class CExhaustedJobUi : public CRecordingJobUi {
 public:
  int AskOutputExists() override { throw std::bad_alloc(); }
};

TEST_F(ConversionJobTest, ExhaustedMemoryIsReportedAndLeavesTheOutput) {
  CExhaustedJobUi ui;
  m_dir.Write("out.kel", "keep");
  CConversionJob job(ui, m_dir.Path("DISCARD.TXT"));
  CConversionRequest request;
  request.input = m_input;
  request.output = m_output;
  request.config = m_config;
  request.existing = ExistingOutput::kAsk;
  EXPECT_EQ(job.ConvertFile(request), -1);
  EXPECT_FALSE(job.WroteOutput());
  EXPECT_EQ(ui.m_messages, Messages{"Unable to process \"" + m_input + "\""});
  EXPECT_EQ(TempDir::Read(m_output), "keep");
}

}  // namespace
