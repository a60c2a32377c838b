#pragma once
// Run script: prepares the file, records the arguments, starts the host (through the output
// window when redirected) and watches it every 250 ms until it ends. The debugger's start
// reuses Prepare, Launch and the watch with its own command line.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "debug/RunCommandLine.h"
#include "debug/ScriptPreparer.h"
#include "platform/ChildProcess.h"
#include "platform/ProcessLauncher.h"

namespace quillet::app {
class CSettings;
}
namespace quillet::document {
class CQuilletDoc;
}

namespace quillet::debug {

class CShellBar;

// What the runner needs of the window around it besides the preparation's questions.
class IRunHost : public IRunPrompts {
 public:
  // The caret goes to (line, column), both 1-based, when that is a position of the document;
  // false otherwise.
  virtual bool GoToLocation(int32_t line, int32_t column) = 0;
  [[nodiscard]] virtual bool IsValidLocation(int32_t line, int32_t column) const = 0;
  virtual void ShowOutputBar(bool show) = 0;
};

class CScriptRunner : public QObject {
  Q_OBJECT

 public:
  CScriptRunner(document::CQuilletDoc& document, app::CSettings& settings, IRunHost& host, CShellBar& shellBar,
                std::string temporaryFolder);
  ~CScriptRunner() override;

  // Tests and installations with the hosts elsewhere.
  void SetLauncher(platform::CProcessLauncher launcher) { m_launcher = std::move(launcher); }
  // Whether a console host that is not redirected gets a terminal window; on by default when
  // the editor itself is on a screen.
  void SetTerminalAllowed(bool allowed) { m_terminalAllowed = allowed; }

  // The whole command: prepare, record the arguments, build the line, launch; false when no
  // run started (cancelled, or the host could not be started outside the output window).
  bool RunScript(std::u16string_view arguments);
  // The same with the host looking for the editor's debugger.
  bool DebugScript(std::u16string_view arguments);
  [[nodiscard]] bool PrepareScriptFile();
  // Starts commandLine (redirected through the output window or not) and the watch.
  bool Launch(std::u16string_view commandLine, bool redirected);
  // Ends the run (or stops it): terminates what still runs, prints the completion line and
  // takes the caret to the first error the output names.
  void OnScriptEnded();

  [[nodiscard]] bool IsRunning() const { return m_running; }
  // The launched process (the host, or the terminal it runs in); 0 when none runs.
  [[nodiscard]] pid_t ProcessId() const { return m_running ? m_process.ProcessId() : 0; }
  // The exit code of the host that ran last, once it has ended by itself; empty otherwise.
  [[nodiscard]] std::optional<int> LastExitCode() const { return m_lastExitCode; }
  [[nodiscard]] const std::string& RunPath() const { return m_preparer.RunPath(); }
  [[nodiscard]] const SRunMode& Mode() const { return m_mode; }
  void SetConsoleMode(bool consoleMode);
  void ToggleRedirect();
  // A double-clicked output line: its location, when it names the run's file.
  void GoToOutputLine(const QString& line);

  static constexpr int kWatchInterval = 250;

 signals:
  void RunningChanged(bool running);
  // The arguments of a start went to the top of the stored recent list.
  void ArgumentsRecorded(const QString& arguments);
  // After the completion line is written and the error searched.
  void ScriptEnded();

 private:
  bool Start(std::u16string_view arguments, bool debug);
  void OnWatchTick();
  void FinishRun();
  void FindErrorInOutput();

  document::CQuilletDoc& m_document;
  app::CSettings& m_settings;
  IRunHost& m_host;
  QPointer<CShellBar> m_shellBar;
  CScriptPreparer m_preparer;
  platform::CProcessLauncher m_launcher;
  platform::CChildProcess m_process;
  std::optional<int> m_lastExitCode;
  SRunMode m_mode;
  QTimer m_watch;
  bool m_running = false;
  bool m_redirected = false;
  int m_ticksSinceExit = 0;
  bool m_terminalAllowed = false;
};

}  // namespace quillet::debug
