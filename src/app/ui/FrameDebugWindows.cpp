#include "app/ui/FrameDebugWindows.h"

#include <QMetaObject>

#include "app/ui/MainFrame.h"
#include "app/ui/SizingControlBar.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/ShellBar.h"
#include "editor/ui/QuilletView.h"
#include "platform/TextConvert.h"

namespace quillet::app {

void CFrameDebugWindows::SetExecutionLine(int32_t line) {
  editor::CQuilletView* view = m_frame.View();
  view->SetExecutionLine(line);
  if (line >= 0) {
    view->SetCaretPosition({0, line});
    BringToFront();
  }
  m_frame.UpdateDebugCommands();
}

void CFrameDebugWindows::RedrawLine(int32_t) { m_frame.View()->viewport()->update(); }

void CFrameDebugWindows::BringToFront() {
  m_frame.raise();
  m_frame.activateWindow();
}

void CFrameDebugWindows::ShowErrorBox(const std::string& text) {
  m_frame.Prompts().ShowError(QString::fromStdString(text));
}

// As the script's own output: only through the output window when it shows the console.
void CFrameDebugWindows::AppendDebugOutput(const std::string& text) {
  if (m_frame.Runner().Mode().IsRedirected() && m_frame.ShellBar() != nullptr) {
    m_frame.ShellBar()->AppendOutput(platform::Utf8ToUtf16(text));
  }
}

void CFrameDebugWindows::DebuggingChanged(bool debugging) {
  m_frame.SetDebugging(debugging);
  if (m_frame.VariablesBar() != nullptr) m_frame.VariablesBar()->setVisible(debugging);
  m_frame.UpdateDebugCommands();
}

// Called from inside the connection's reading: the end is handled once that has returned.
void CFrameDebugWindows::HostGone() {
  QMetaObject::invokeMethod(&m_frame, [frame = &m_frame] { frame->EndDebugging(); }, Qt::QueuedConnection);
}

}  // namespace quillet::app
