#pragma once
// The main window's side of a debugging run: the execution mark and the caret, the margin's
// breakpoint marks, the error box, the debugger's output and the debug layout.

#include "debug/DebugController.h"

namespace quillet::app {

class CMainFrame;

class CFrameDebugWindows final : public debug::IDebugWindows {
 public:
  explicit CFrameDebugWindows(CMainFrame& frame) : m_frame(frame) {}

  void SetExecutionLine(int32_t line) override;
  void RedrawLine(int32_t line) override;
  void BringToFront() override;
  void ShowErrorBox(const std::string& text) override;
  void AppendDebugOutput(const std::string& text) override;
  void DebuggingChanged(bool debugging) override;
  void HostGone() override;

 private:
  CMainFrame& m_frame;
};

}  // namespace quillet::app
