// Run script, Stop debugging and the host choices: the frame's side of the script runner.

#include <QAction>

#include "base/CommandIds.h"
#include "base/SettingsInventory.h"
#include "app/ui/ArgumentsCombo.h"
#include "app/ui/FrameRunHost.h"
#include "app/ui/MainFrame.h"
#include "app/ui/QtText.h"
#include "app/ui/SizingControlBar.h"
#include "debug/ui/ScriptRunner.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/ShellEditCtrl.h"
#include "editor/ui/QuilletView.h"
#include "platform/AppPaths.h"

namespace quillet::app {

void CMainFrame::ConnectRunCommands() {
  m_shellBar = new debug::CShellBar(m_outputBar);
  m_shellBar->ApplyFont(m_settings);
  m_outputBar->setWidget(m_shellBar);
  m_runHost = std::make_unique<CFrameRunHost>(*this);
  m_runner = std::make_unique<debug::CScriptRunner>(m_document, m_settings, *m_runHost, *m_shellBar,
                                                    platform::TempFolderPath());
  connect(m_runner.get(), &debug::CScriptRunner::RunningChanged, this, [this] { UpdateRunCommands(); });
  connect(m_runner.get(), &debug::CScriptRunner::ArgumentsRecorded, this, &CMainFrame::ShowRecordedArguments);
  connect(m_shellBar->Edit(), &debug::CShellEditCtrl::LocationRequested, m_runner.get(),
          &debug::CScriptRunner::GoToOutputLine);
  // The output window shares the editor's font settings, so a font chosen there reaches it too.
  const auto applyFont = [this] { m_shellBar->ApplyFont(m_settings); };
  connect(this, &CMainFrame::ViewSettingsChanged, m_shellBar, applyFont);
  connect(m_view, &editor::CQuilletView::EditorFontChanged, m_shellBar, applyFont);

  ConnectCommand(ID_DEBUG_RUN_SCRIPT, [this] { OnRunScript(); });
  ConnectCommand(ID_DEBUG_WSCRIPT, [this] { m_runner->SetConsoleMode(false); UpdateRunCommands(); });
  ConnectCommand(ID_DEBUG_CSCRIPT, [this] { m_runner->SetConsoleMode(true); UpdateRunCommands(); });
  ConnectCommand(ID_DEBUG_REDIRECT_CONSOLE, [this] { m_runner->ToggleRedirect(); UpdateRunCommands(); });
  UpdateRunCommands();
}

void CMainFrame::OnRunScript() {
  if (m_runner->IsRunning() || m_debugging) return;
  m_runner->RunScript(ToU16(m_arguments->currentText()));
}

// The box shows the stored list, newest first, with what was run in its edit field, also when
// the host then could not be started.
void CMainFrame::ShowRecordedArguments(const QString& arguments) {
  m_arguments->LoadRecent(m_settings);
  m_arguments->setCurrentText(arguments);
}

void CMainFrame::ClearArgumentsAndOutput() {
  m_arguments->clearEditText();
  m_shellBar->ClearOutput();
}

void CMainFrame::UpdateRunCommands() {
  const debug::SRunMode& mode = m_runner->Mode();
  const bool running = m_runner->IsRunning();
  Action(ID_DEBUG_RUN_SCRIPT)->setEnabled(!running && !m_debugging);
  Action(ID_DEBUG_WSCRIPT)->setChecked(!mode.consoleMode);
  Action(ID_DEBUG_CSCRIPT)->setChecked(mode.consoleMode);
  Action(ID_DEBUG_REDIRECT_CONSOLE)->setEnabled(mode.consoleMode);
  Action(ID_DEBUG_REDIRECT_CONSOLE)->setChecked(mode.IsRedirected());
  if (m_debugger) UpdateDebugCommands();
}

}  // namespace quillet::app
