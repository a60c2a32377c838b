#pragma once
// The main window's side of a run: its save command and questions, the editor caret, and the
// output bar's visibility.

#include "debug/ui/ScriptRunner.h"

namespace quillet::app {

class CMainFrame;

class CFrameRunHost : public debug::IRunHost {
 public:
  explicit CFrameRunHost(CMainFrame& frame) : m_frame(frame) {}

  bool SaveDocument() override;
  debug::ESaveAnswer AskSaveChanges() override;
  void ShowError(const std::u16string& message) override;
  bool GoToLocation(int32_t line, int32_t column) override;
  [[nodiscard]] bool IsValidLocation(int32_t line, int32_t column) const override;
  void ShowOutputBar(bool show) override;

 private:
  CMainFrame& m_frame;
};

}  // namespace quillet::app
