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

// The same drawing with its table drawn from the bottom upwards.
const char* kBottomUpDrawing =
    "(1 0 0),BILL OF MATERIAL\n"
    "(1 10 0),MARK\n(11 10 0),QTY\n(21 10 0),DESCRIPTION\n(41 10 0),LENGTH\n"
    "(1 20 0),B1\n(11 20 0),2\n(21 20 0),W8X31\n(41 20 0),12'-6\n"
    "(1 30 0),B2\n(11 30 0),1\n(21 30 0),W12X26\n(41 30 0),20'\n";

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
// creates none.
TEST_F(ConversionJobTest, RunsWithoutAnExistingOutput) {
  const std::string up = m_dir.Write("up.orb", kBottomUpDrawing);
  const std::string pattern = m_dir.Path("in*.orb");
  auto unable = [&](const std::string& output) {
    return "Unable to process \"" + m_input + "\": cannot write \"" + output +
           "\": No such file or directory";
  };
  // clang-format off
  struct Case { const char* name; ExistingOutput mode; std::string input, output; Messages messages; };
  const Case cases[] = {
      {"new output", ExistingOutput::kRefuse, m_input, m_output, {}},
      {"nothing to ask", ExistingOutput::kAsk, m_input, m_output, {}},
      {"bottom-up, second reading", ExistingOutput::kOverwrite, up, m_output, {}},
      {"leading blanks go", ExistingOutput::kOverwrite, m_input, "  " + m_output, {}},
      {"blank output name", ExistingOutput::kOverwrite, m_input, "    ", {kMsgOutputRequired}},
      {"append", ExistingOutput::kAppend, m_input, m_output, {unable(m_output)}},
      {"unwritable", ExistingOutput::kOverwrite, m_input, m_dir.Path("no/dir/out.kel"),
       {unable(m_dir.Path("no/dir/out.kel"))}},
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

TEST_F(ConversionJobTest, ExistingOutputModes) {
  struct Case {
    ExistingOutput mode;
    int answer;
    int result;
    Messages messages;
    bool unchanged;
    int asked;
  };
  const Case cases[] = {
      {ExistingOutput::kRefuse, 0, -1, {kMsgFileExists}, true, 0},
      {ExistingOutput::kAsk, IJobUi::kAnswerCancel, -1, {}, true, 1},
      {ExistingOutput::kAsk, IJobUi::kAnswerOverwrite, 0, {}, false, 1},
      {ExistingOutput::kAsk, IJobUi::kAnswerAppend, 0, {}, false, 1},
      {ExistingOutput::kOverwrite, 0, 0, {}, false, 0},
      {ExistingOutput::kAppend, 0, 0, {}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode) * 10000 + c.answer);
    const std::string before = "existing bytes\r\n";
    m_dir.Write("out.kel", before);
    m_ui = CRecordingJobUi(c.answer);
    EXPECT_EQ(Run(c.mode), c.result);
    EXPECT_EQ(m_ui.m_messages, c.messages);
    EXPECT_EQ(m_ui.m_nAsked, c.asked);
    const std::string after = TempDir::Read(m_output);
    EXPECT_EQ(after == before, c.unchanged);
    if (c.mode == ExistingOutput::kAppend ||
        (c.mode == ExistingOutput::kAsk && c.answer == IJobUi::kAnswerAppend)) {
      EXPECT_EQ(after.substr(0, before.size()), before);
      EXPECT_GT(after.size(), before.size());
    }
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
