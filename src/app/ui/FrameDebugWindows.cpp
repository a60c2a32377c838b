#include "app/ui/FrameDebugWindows.h"

#include <QMetaObject>

#include "app/ui/MainFrame.h"
#include "app/ui/SizingControlBar.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/VariableBar.h"
#include "document/QuilletDoc.h"
#include "editor/ui/QuilletView.h"
#include "platform/TextConvert.h"

namespace quillet::app {

namespace {
constexpr std::u16string_view kVariableBarLayout = u"VariableBarState";
constexpr std::u16string_view kShellBarLayout = u"ShellBarState";
}  // namespace

void CFrameDebugWindows::SetExecutionLine(int32_t line) {
  editor::CQuilletView* view = m_frame.View();
  view->SetExecutionLine(line);
  if (line >= 0 && m_frame.VariableBar() != nullptr) m_frame.VariableBar()->Refresh(m_frame.Debugger().Client());
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

// The variables and the output sit side by side while debugging, in the sizes the user gave
// them last time; the layout is kept apart from the one of plain editing.
void CFrameDebugWindows::DebuggingChanged(bool debugging) {
  m_frame.SetDebugging(debugging);
  m_frame.Document().SetDebugging(debugging);
  if (!debugging && m_frame.VariableBar() != nullptr) m_frame.VariableBar()->Detach();
  CSizingControlBar* variables = m_frame.VariablesBar();
  CSizingControlBar* output = m_frame.OutputBar();
  if (variables != nullptr && output != nullptr) {
    if (debugging) {
      variables->LoadState(m_frame.Settings(), kVariableBarLayout);
      output->LoadState(m_frame.Settings(), kShellBarLayout);
      const int32_t half = m_frame.View()->width() / 2;
      for (CSizingControlBar* bar : {variables, output}) {
        SBarSizes sizes = bar->Sizes();
        sizes.horizontal.width = half;
        bar->SetSizes(sizes);
      }
      variables->show();
      m_frame.resizeDocks({variables, output}, {half, half}, Qt::Horizontal);
    } else {
      variables->SaveState(m_frame.Settings(), kVariableBarLayout);
      output->SaveState(m_frame.Settings(), kShellBarLayout);
      variables->hide();
    }
  }
  m_frame.UpdateDebugCommands();
}

// Called from inside the connection's reading: the end is handled once that has returned.
void CFrameDebugWindows::HostGone() {
  QMetaObject::invokeMethod(&m_frame, [frame = &m_frame] { frame->EndDebugging(); }, Qt::QueuedConnection);
}

}  // namespace quillet::app
