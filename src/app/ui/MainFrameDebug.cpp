// The debugger's commands: start or continue, the steps, break, stop, the breakpoints; the
// controller does the work and the frame keeps the commands' enabled states in step with it.

#include <QAction>
#include <QSocketNotifier>

#include "app/AppStrings.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/FrameDebugWindows.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QtText.h"
#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "debug/DebugController.h"
#include "app/ui/SizingControlBar.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/VariableBar.h"
#include "document/QuilletDoc.h"
#include "editor/EditorCore.h"
#include "editor/ui/QuilletView.h"

namespace quillet::app {

using debug::EDebugState;
using debug::EStepKind;

void CMainFrame::ConnectDebugCommands() {
  m_variableBar = new debug::CVariableBar(m_variablesBar);
  m_variablesBar->setWidget(m_variableBar);
  m_variableBar->SetWatchList(&m_document.WatchList());
  m_debugWindows = std::make_unique<CFrameDebugWindows>(*this);
  m_debugger = std::make_unique<debug::CDebugController>(m_document.Breakpoints(), *m_debugWindows);
  connect(m_runner.get(), &debug::CScriptRunner::RunningChanged, this, [this](bool running) {
    if (running) return;
    m_debugger->HostEnded(m_runner->LastExitCode());
    EndDebugging();
  });
  connect(m_view, &editor::CQuilletView::BreakpointToggled, this, [this] { m_debugger->BreakpointsChanged(); });
  const auto resume = [this](EStepKind kind) {
    m_debugger->Resume(kind);
    UpdateDebugCommands();
  };
  ConnectCommand(ID_DEBUG_START_OR_CONTINUE, [this] { OnStartOrContinue(); });
  ConnectCommand(ID_DEBUG_STEP_INTO, [resume] { resume(EStepKind::StepInto); });
  ConnectCommand(ID_DEBUG_STEP_OVER, [resume] { resume(EStepKind::StepOver); });
  ConnectCommand(ID_DEBUG_STEP_OUT, [resume] { resume(EStepKind::StepOut); });
  ConnectCommand(ID_DEBUG_BREAK, [this] { m_debugger->Break(); });
  ConnectCommand(ID_DEBUG_STOP, [this] {
    EndDebugging();
    m_runner->OnScriptEnded();
  });
  ConnectCommand(ID_DEBUG_TOGGLE_BREAKPOINT, [this] { m_view->Core().ToggleBreakpoint(m_view->CaretPosition().y); });
  ConnectCommand(ID_DEBUG_REMOVE_ALL_BREAKPOINTS, [this] {
    m_debugger->RemoveAllBreakpoints();
    m_view->viewport()->update();
  });
  // The window is there only while debugging; the command shows or hides it then.
  QAction* variables = Action(ID_VIEW_VARIABLES);
  ConnectCommand(ID_VIEW_VARIABLES, [this] { m_variablesBar->setVisible(m_variablesBar->isHidden()); });
  connect(m_variablesBar, &QDockWidget::visibilityChanged, variables,
          [bar = m_variablesBar, variables] { variables->setChecked(!bar->isHidden()); });
  UpdateDebugCommands();
}

void CMainFrame::OnStartOrContinue() {
  if (m_debugger->State() == EDebugState::Stopped) {
    m_debugger->Resume(EStepKind::Continue);
  } else if (!m_runner->IsRunning() && m_debugger->State() == EDebugState::Idle) {
    (void)StartDebugging();
  }
  UpdateDebugCommands();
}

bool CMainFrame::StartDebugging() {
  std::string error;
  if (!m_debugger->Prepare(m_settings.Read(settings::FirstStep), error)) {
    m_prompts->ShowError(QString::fromStdString(error));
    return false;
  }
  if (!m_runner->DebugScript(ToU16(m_arguments->currentText()))) {
    m_debugger->End();
    return false;
  }
  m_debugger->HostStarted(m_runner->ProcessId(), m_runner->RunPath());
  WatchDebuggerSockets();
  return true;
}

bool CMainFrame::StopDebuggingToLeave() {
  if (!m_debugger || m_debugger->State() == EDebugState::Idle) return true;
  if (!m_prompts->AskOkCancel(ToQString(kStopDebuggerQuestion))) return false;
  EndDebugging();
  m_runner->OnScriptEnded();
  return true;
}

void CMainFrame::WatchDebuggerSockets() {
  delete m_listenerNotifier;
  m_listenerNotifier = new QSocketNotifier(m_debugger->ListenerSocket(), QSocketNotifier::Read, this);
  connect(m_listenerNotifier, &QSocketNotifier::activated, this, [this] {
    m_debugger->OnListenerReadable();
    if (m_debugger->HostSocket() < 0 || m_hostNotifier) return;
    // The host is taken: from now on only its connection is read.
    m_listenerNotifier->setEnabled(false);
    m_listenerNotifier->deleteLater();
    m_hostNotifier = new QSocketNotifier(m_debugger->HostSocket(), QSocketNotifier::Read, this);
    connect(m_hostNotifier, &QSocketNotifier::activated, this, [this] {
      m_debugger->OnHostReadable();
      // Closed: no more reading of a number the system may hand out again.
      if (m_debugger->HostSocket() < 0 && m_hostNotifier) m_hostNotifier->setEnabled(false);
    });
  });
}

void CMainFrame::EndDebugging() {
  for (QSocketNotifier* notifier : {m_listenerNotifier.data(), m_hostNotifier.data()}) {
    if (notifier == nullptr) continue;
    notifier->setEnabled(false);
    notifier->deleteLater();
  }
  m_debugger->End();
  m_view->viewport()->update();
  UpdateDebugCommands();
}

void CMainFrame::UpdateDebugCommands() {
  const bool running = m_runner->IsRunning();
  const EDebugState state = m_debugger->State();
  const bool stopped = state == EDebugState::Stopped;
  Action(ID_DEBUG_START_OR_CONTINUE)->setEnabled((!running && state == EDebugState::Idle) || stopped);
  for (const int step : {ID_DEBUG_STEP_INTO, ID_DEBUG_STEP_OVER, ID_DEBUG_STEP_OUT}) Action(step)->setEnabled(stopped);
  Action(ID_DEBUG_BREAK)->setEnabled(state == EDebugState::Running);
  Action(ID_DEBUG_STOP)->setEnabled(running || m_debugger->IsDebugging());
  Action(ID_DEBUG_RUN_SCRIPT)->setEnabled(!running && state == EDebugState::Idle);
  Action(ID_VIEW_VARIABLES)->setEnabled(m_debugger->IsDebugging());
}

}  // namespace quillet::app
