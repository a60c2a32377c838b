#pragma once
// One debugging run from the editor's side, without windows: waits for the started host at the
// rendezvous, keeps the document's breakpoint table and the engine's breakpoints in step (the
// margin's marks move to where the engine placed them), applies the first-step rule, and tells
// the windows where the script stopped. Lines here are indexes from 0, as the editor counts;
// the protocol's lines count from 1.

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "debug/DebugListener.h"
#include "debug/HostDebugClient.h"

namespace quillet::debug {

// What the windows do for the debugger.
class IDebugWindows {
 public:
  virtual ~IDebugWindows() = default;
  // -1 clears the execution mark.
  virtual void SetExecutionLine(int32_t line) = 0;
  virtual void RedrawLine(int32_t line) = 0;
  // A margin mark moved: the editor comes to the front to show it.
  virtual void BringToFront() = 0;
  virtual void ShowErrorBox(const std::string& text) = 0;
  virtual void AppendDebugOutput(const std::string& text) = 0;
  // The host attached (debug layout on) or the run ended.
  virtual void DebuggingChanged(bool debugging) = 0;
  // The host's connection is gone; the run's end follows (not from inside this call).
  virtual void HostGone() = 0;
};

enum class EDebugState { Idle, Starting, Running, Stopped };

class CDebugController final : public IHostDebugEvents {
 public:
  using BreakpointTable = std::unordered_map<int32_t, int32_t>;

  CDebugController(BreakpointTable& breakpoints, IDebugWindows& windows);
  ~CDebugController() override;
  CDebugController(const CDebugController&) = delete;
  CDebugController& operator=(const CDebugController&) = delete;

  // Before the host starts: listen at the rendezvous. False with a reason for the user.
  bool Prepare(int firstStep, std::string& error);
  // The process that was launched on the script; only it (or what it starts) is taken.
  void HostStarted(pid_t pid, const std::string& scriptPath);
  // The sockets to watch: the listener while waiting, then the host's connection (-1: none).
  [[nodiscard]] int ListenerSocket() const { return m_listener.Socket(); }
  [[nodiscard]] int HostSocket() const { return m_client ? m_client->Socket() : -1; }
  void OnListenerReadable();
  void OnHostReadable();

  [[nodiscard]] EDebugState State() const { return m_state; }
  [[nodiscard]] bool IsDebugging() const { return m_state == EDebugState::Running || m_state == EDebugState::Stopped; }
  [[nodiscard]] int32_t ExecutionLine() const { return m_executionLine; }
  [[nodiscard]] std::optional<int> ExitCode() const { return m_exitCode; }
  // The host's process ended with this code: it counts when the host's own exit event did not
  // come (a host killed, or its last words lost with the connection).
  void HostEnded(std::optional<int> exitCode) {
    if (!m_exitCode) m_exitCode = exitCode;
  }
  // For the variables window: requests go to the stopped host.
  [[nodiscard]] CHostDebugClient* Client() { return m_client.get(); }

  // Continue and the steps do nothing unless the script is stopped.
  void Resume(EStepKind kind);
  void Break();
  // After the table changed (a toggle): the engine hears of it at once, stopped or running.
  void BreakpointsChanged();
  void RemoveAllBreakpoints();
  // The run is over or stopped by the user: the script is told to end, the connection goes,
  // and the breakpoints that were cleared during the run leave the table.
  void End();

 private:
  // IHostDebugEvents: only the host's connection calls these.
  void OnStopped(const SDebugStop& stop) override;
  void OnOutput(const std::string& category, const std::string& text) override;
  void OnExited(int exitCode) override;
  void OnDisconnected() override;

  void SyncBreakpoints();
  void MoveBreakpoints(const std::vector<int32_t>& sent, const std::vector<int>& landed);
  // The first stop, at the first statement: stay there or run on to the first breakpoint.
  [[nodiscard]] bool RunsOnFromEntry(int32_t line) const;
  [[nodiscard]] bool HasSetBreakpoint() const;
  void SetExecutionLine(int32_t line);

  BreakpointTable& m_breakpoints;
  IDebugWindows& m_windows;
  CDebugListener m_listener;
  std::unique_ptr<CHostDebugClient> m_client;
  std::string m_scriptPath;
  int m_firstStep = 0;
  EDebugState m_state = EDebugState::Idle;
  int32_t m_executionLine = -1;
  std::optional<int> m_exitCode;
};

}  // namespace quillet::debug
