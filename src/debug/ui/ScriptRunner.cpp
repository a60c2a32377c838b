#include "debug/ui/ScriptRunner.h"

#include <QGuiApplication>

#include "base/SettingsInventory.h"
#include "debug/ErrorLocation.h"
#include "debug/RecentArguments.h"
#include "debug/ui/ShellBar.h"
#include "debug/ui/ShellEditCtrl.h"
#include "document/QuilletDoc.h"
#include "platform/TextConvert.h"

namespace quillet::debug {

CScriptRunner::CScriptRunner(document::CQuilletDoc& document, app::CSettings& settings, IRunHost& host,
                             CShellBar& shellBar, std::string temporaryFolder)
    : m_document(document),
      m_settings(settings),
      m_host(host),
      m_shellBar(&shellBar),
      m_preparer(document, settings, host, std::move(temporaryFolder)),
      m_mode(SRunMode::FromSettings(settings)) {
  const QString platform = QGuiApplication::platformName();
  m_terminalAllowed = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
  m_watch.setInterval(kWatchInterval);
  connect(&m_watch, &QTimer::timeout, this, &CScriptRunner::OnWatchTick);
  // The end of the output is the usual sign that the host is ending too; a short wait for it
  // then saves most of a watch period.
  connect(&shellBar, &CShellBar::ReaderEnded, this, [this] {
    if (m_running && m_process.HasEnded(20)) OnScriptEnded();
  });
}

CScriptRunner::~CScriptRunner() {
  m_process.Terminate();
  if (m_shellBar) m_shellBar->StopReader();
}

bool CScriptRunner::PrepareScriptFile() { return m_preparer.PrepareScriptFile(); }

bool CScriptRunner::RunScript(std::u16string_view arguments) { return Start(arguments, false); }

bool CScriptRunner::DebugScript(std::u16string_view arguments) { return Start(arguments, true); }

bool CScriptRunner::Start(std::u16string_view arguments, bool debug) {
  if (m_running || !PrepareScriptFile()) return false;
  if (!arguments.empty()) {
    RecordRecentArguments(m_settings, arguments);
    emit ArgumentsRecorded(QString::fromUtf16(arguments.data(), static_cast<qsizetype>(arguments.size())));
  }
  m_mode.displayLogo = m_settings.Read(app::settings::DisplayLogo) != 0;
  m_mode.consoleHost = m_settings.Read(app::settings::ConsoleHost);
  const std::u16string runPath = platform::Utf8ToUtf16(RunPath());
  const std::u16string commandLine = debug ? BuildDebugCommandLine(m_mode, runPath, arguments)
                                           : BuildRunCommandLine(m_mode, runPath, arguments);
  return Launch(commandLine, m_mode.IsRedirected());
}

bool CScriptRunner::Launch(std::u16string_view commandLine, bool redirected) {
  m_redirected = redirected;
  if (redirected) {
    m_host.ShowOutputBar(true);
    std::u16string error;
    // No message box for a redirected start that fails, but the output window says why rather
    // than showing only a completion line as if the script had run; the first tick ends the run.
    if (!m_shellBar->LaunchRedirected(m_launcher, commandLine, m_process, error)) {
      m_process = {};
      m_shellBar->AppendOutput(u"Cannot run " + std::u16string(commandLine) + u"\r\n" + error + u"\r\n");
    }
  } else {
    auto launched = m_mode.consoleMode && m_terminalAllowed ? m_launcher.LaunchInTerminal(commandLine)
                                                             : m_launcher.Launch(commandLine, false);
    if (std::holds_alternative<std::u16string>(launched)) {
      m_host.ShowError(u"Cannot run " + std::u16string(commandLine));
      return false;
    }
    m_process = std::move(std::get<platform::CChildProcess>(launched));
  }
  m_running = true;
  m_ticksSinceExit = 0;
  m_watch.start();
  emit RunningChanged(true);
  return true;
}

// The host has ended once its process has; the output it left in the pipe is still read first,
// for a bounded time, in case a process it started keeps the pipe open.
void CScriptRunner::OnWatchTick() {
  if (!m_running || !m_process.HasEnded(1)) return;
  const bool reading = m_redirected && m_shellBar && m_shellBar->IsReading();
  if (reading && ++m_ticksSinceExit < 4) return;
  OnScriptEnded();
}

void CScriptRunner::OnScriptEnded() {
  if (!m_running) return;
  m_running = false;
  m_watch.stop();
  m_lastExitCode = m_process.HasEnded(0) ? std::optional<int>(m_process.ExitCode()) : std::nullopt;
  m_process.Terminate();
  m_process = {};
  if (m_redirected && m_shellBar) {
    m_shellBar->StopReader();
    // Text the reader posted before it stopped is appended before the completion line.
    QMetaObject::invokeMethod(this, &CScriptRunner::FinishRun, Qt::QueuedConnection);
  } else {
    emit RunningChanged(false);
    emit ScriptEnded();
  }
}

void CScriptRunner::FinishRun() {
  if (m_shellBar) {
    m_shellBar->AppendOutput(u"\r\n***** script completed *****\r\n");
    FindErrorInOutput();
  }
  emit RunningChanged(false);
  emit ScriptEnded();
}

void CScriptRunner::FindErrorInOutput() {
  CShellEditCtrl* edit = m_shellBar->Edit();
  const auto location = FindErrorLocation(
      edit->Text(), platform::Utf8ToUtf16(RunPath()),
      [this](int32_t line, int32_t column) { return m_host.IsValidLocation(line, column); });
  if (!location) return;
  m_host.GoToLocation(location->line, location->column);
  edit->SelectRange(location->lineStart, location->lineEnd);
}

void CScriptRunner::GoToOutputLine(const QString& line) {
  const auto location = ParseLocationLine(line.toStdU16String(), platform::Utf8ToUtf16(RunPath()));
  if (location) m_host.GoToLocation(location->line, location->column);
}

void CScriptRunner::SetConsoleMode(bool consoleMode) {
  m_mode.consoleMode = consoleMode;
  m_settings.Write(app::settings::ConsoleMode, consoleMode ? 1 : 0);
  if (!consoleMode) m_host.ShowOutputBar(false);
}

void CScriptRunner::ToggleRedirect() {
  m_mode.redirect = !m_mode.redirect;
  m_settings.Write(app::settings::RedirectConsole, m_mode.redirect ? 1 : 0);
  if (!m_mode.redirect) m_host.ShowOutputBar(false);
}

}  // namespace quillet::debug
