// A debugging run as the editor drives it, against real cscript //D processes: the first-step
// rule, margin marks that move to where the engine put them, the error box, the run's end.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include <functional>
#include <string>
#include <vector>

#include "DebugHostProcess.h"
#include "TempFolder.h"
#include "debug/DebugController.h"

namespace quillet::debug {
namespace {

using test::kWaitMilliseconds;
using test::SHost;

class CWindows final : public IDebugWindows {
 public:
  void SetExecutionLine(int32_t line) override { executionLines.push_back(line); }
  void RedrawLine(int32_t) override {}
  void BringToFront() override { ++broughtToFront; }
  void ShowErrorBox(const std::string& text) override { errorBoxes.push_back(text); }
  void AppendDebugOutput(const std::string& text) override { output += text; }
  void DebuggingChanged(bool) override {}
  void HostGone() override { gone = true; }

  std::vector<int32_t> executionLines;
  std::vector<std::string> errorBoxes;
  std::string output;
  int broughtToFront = 0;
  bool gone = false;
};

class DebugRun : public ::testing::Test {
 protected:
  DebugRun() { m_folder.IsolateUserFolders(); }

  // Starts the host on the script with the table as it stands.
  void Start(const std::string& text, int firstStep) {
    const std::string path = m_folder.File("script.vbs");
    test::WriteFile(path, text);
    std::string error;
    ASSERT_TRUE(controller.Prepare(firstStep, error)) << error;
    windows.gone = false;
    host = std::make_unique<SHost>(path);
    controller.HostStarted(host->pid, path);
  }
  bool PumpUntil(const std::function<bool()>& done) {
    for (int waited = 0; !done(); waited += 20) {
      if (waited > kWaitMilliseconds) return false;
      pollfd ready[2] = {{controller.ListenerSocket(), POLLIN, 0}, {controller.HostSocket(), POLLIN, 0}};
      if (::poll(ready, 2, 20) <= 0) continue;
      if (ready[0].revents & POLLIN) controller.OnListenerReadable();
      if (ready[1].revents & (POLLIN | POLLHUP)) controller.OnHostReadable();
    }
    return true;
  }
  bool StopsAt(int32_t line) {
    return PumpUntil([&] { return controller.State() == EDebugState::Stopped || windows.gone; }) &&
           controller.ExecutionLine() == line;
  }
  // Runs to the host's end; what it wrote.
  std::string RunToEnd() {
    EXPECT_TRUE(PumpUntil([&] { return windows.gone; }));
    controller.End();
    std::string written;
    EXPECT_EQ(host->Finish(written), 0);
    return written;
  }

  CDebugController::BreakpointTable table;
  CWindows windows;
  CDebugController controller{table, windows};
  std::unique_ptr<SHost> host;

 private:
  test::CTempFolder m_folder;
};

constexpr const char* kScript = "Dim n\r\nn = 1\r\n\r\nn = n + 1\r\nWScript.Echo n\r\n";

TEST_F(DebugRun, WithoutBreakpointsTheFirstStepRuleDecidesWhetherItStopsAtAll) {
  Start(kScript, 0);
  EXPECT_EQ(RunToEnd(), "2\r\n");
  EXPECT_TRUE(windows.executionLines.empty());

  Start(kScript, 1);
  ASSERT_TRUE(StopsAt(1));  // the first statement
  controller.Resume(EStepKind::StepOver);
  ASSERT_TRUE(StopsAt(3));
  controller.Resume(EStepKind::Continue);
  EXPECT_EQ(RunToEnd(), "2\r\n");
  EXPECT_EQ(controller.ExecutionLine(), -1);
}

TEST_F(DebugRun, ABreakpointOnABlankLineMovesToTheNextStatementAndTheRunStopsThere) {
  table[2] = 1;  // the blank line
  Start(kScript, 1);
  ASSERT_TRUE(StopsAt(3));  // not at the first statement: there is a breakpoint to run to
  EXPECT_EQ(table, (CDebugController::BreakpointTable{{3, 1}}));
  EXPECT_EQ(windows.broughtToFront, 1);
  // Removed while stopped: the engine drops it and the table is empty after the run.
  controller.RemoveAllBreakpoints();
  EXPECT_EQ(table, (CDebugController::BreakpointTable{{3, 0}}));
  controller.Resume(EStepKind::Continue);
  EXPECT_EQ(RunToEnd(), "2\r\n");
  EXPECT_TRUE(table.empty());
}

TEST_F(DebugRun, ABreakpointSetWhileStoppedIsHeldByTheEngineAtOnce) {
  Start("Dim i\r\nFor i = 1 To 3\r\n  i = i\r\nNext\r\nWScript.Echo i\r\n", 1);
  ASSERT_TRUE(StopsAt(1));
  table[2] = 1;
  controller.BreakpointsChanged();
  controller.Resume(EStepKind::Continue);
  for (int pass = 0; pass < 3; ++pass) {
    ASSERT_TRUE(StopsAt(2)) << pass;
    controller.Resume(EStepKind::Continue);
  }
  EXPECT_EQ(RunToEnd(), "4\r\n");
}

TEST_F(DebugRun, ABreakpointSetWhileTheScriptRunsStopsItAndBreakStopsItAnywhere) {
  Start("Dim n\r\nDo\r\n  n = n + 1\r\nLoop\r\n", 0);
  ASSERT_TRUE(PumpUntil([&] { return controller.State() == EDebugState::Running; }));
  table[2] = 1;
  controller.BreakpointsChanged();
  ASSERT_TRUE(StopsAt(2));
  // Cleared and gone on: the loop runs free until Break stops it wherever it is.
  table[2] = 0;
  controller.BreakpointsChanged();
  controller.Resume(EStepKind::Continue);
  ASSERT_TRUE(PumpUntil([&] { return controller.State() == EDebugState::Running; }));
  controller.Break();
  ASSERT_TRUE(PumpUntil([&] { return controller.State() == EDebugState::Stopped; }));
  EXPECT_GE(controller.ExecutionLine(), 1);
  EXPECT_LE(controller.ExecutionLine(), 3);
  controller.End();
}

TEST_F(DebugRun, ARuntimeErrorShowsTheBoxAndMarksTheLineInError) {
  Start("Dim a\r\na = 1\r\nWScript.Echo CLng(\"x\")\r\nWScript.Echo \"after\"\r\n", 0);
  ASSERT_TRUE(StopsAt(2));
  ASSERT_EQ(windows.errorBoxes.size(), 1u);
  EXPECT_EQ(windows.errorBoxes[0],
            "Line:\t3\nColumn:\t1\nError:\tType mismatch\nCode:\t800A000D\nSource:\tWScript.Echo CLng(\"x\")");
  controller.Resume(EStepKind::Continue);  // the statement in error is skipped
  EXPECT_EQ(RunToEnd(), "after\r\n");
}

TEST_F(DebugRun, StoppingTheRunEndsTheStoppedHost) {
  Start("Stop\r\nWScript.Echo 1\r\n", 0);
  ASSERT_TRUE(StopsAt(0));
  controller.End();
  EXPECT_EQ(controller.ExecutionLine(), -1);
  std::string written;
  host->Finish(written);
  EXPECT_EQ(written, "");
}

TEST_F(DebugRun, AHostKilledWhileStoppedLeavesTheEditorFreeToEndTheRun) {
  Start("Stop\r\nWScript.Echo 1\r\n", 0);
  ASSERT_TRUE(StopsAt(0));
  ::kill(host->pid, SIGKILL);
  ASSERT_TRUE(PumpUntil([&] { return windows.gone; }));
  EXPECT_EQ(windows.executionLines.back(), -1);
  controller.Resume(EStepKind::StepOver);  // nothing stopped any more: no effect, no hang
  controller.End();
  EXPECT_EQ(controller.State(), EDebugState::Idle);
}

// The figure for the step: from the editor's request to the stop it ends in, line known.
TEST_F(DebugRun, AStepEndsInAStopWellWithinTheBound) {
  Start("Dim i\r\nFor i = 1 To 1000\r\n  i = i\r\nNext\r\n", 1);
  ASSERT_TRUE(StopsAt(1));
  std::vector<double> times;
  for (int step = 0; step < 101; ++step) {
    const size_t before = windows.executionLines.size();
    const auto start = std::chrono::steady_clock::now();
    controller.Resume(EStepKind::StepOver);
    ASSERT_TRUE(PumpUntil([&] {
      return controller.State() == EDebugState::Stopped && windows.executionLines.size() > before + 1;
    }));
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  RecordProperty("median_step_ms", std::to_string(times[times.size() / 2]));
  std::printf("step to stopped: median %.3f ms, max %.3f ms over %zu steps\n", times[times.size() / 2], times.back(),
              times.size());
  EXPECT_LT(times[times.size() / 2], 10.0);
}

}  // namespace
}  // namespace quillet::debug
