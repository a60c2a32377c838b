#pragma once
// The engine's side of a debugging session: breakpoints by line, stepping by call depth, pause,
// breaks on Stop statements and on errors nothing handles, and a stopped script that lets other
// threads look at it. The script's own thread blocks in here while it is stopped; every look at
// its frames and values is handed to that thread (RunWhileStopped), so the virtual machine is
// only ever touched by the thread that runs it.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {
class CScriptEngine;
}

namespace quillet::engine::debug {

enum class EStopReason { Entry, Step, Breakpoint, Pause, Exception, StopStatement };
enum class EResumeAction { Continue, StepIn, StepOver, StepOut, Terminate };

struct SErrorBreak {
  int number = 0;
  std::u16string description;
  std::u16string source;  // the error's source (its object), as Err.Source
};

struct SStopInfo {
  EStopReason reason = EStopReason::Step;
  int line = 0;
  int column = 0;
  std::optional<SErrorBreak> error;
};

// Told from the script's thread; a listener must not call back into the debugger from there
// except through the thread-safe members.
class IDebugListener {
 public:
  virtual ~IDebugListener() = default;
  virtual void OnStopped(const SStopInfo& stop) = 0;
  virtual void OnContinued() = 0;
};

class CScriptDebugger final : public IDebugHooks {
 public:
  CScriptDebugger(CScriptEngine& engine, IDebugListener& listener);
  ~CScriptDebugger() override;
  CScriptDebugger(const CScriptDebugger&) = delete;
  CScriptDebugger& operator=(const CScriptDebugger&) = delete;

  // ---- any thread
  // The lines of the script that hold code (from the compiled text, before it runs).
  void SetCodeLines(std::set<int> lines);
  // The line a breakpoint asked for on line lands on: the next one holding code; 0 when none does.
  [[nodiscard]] int LandingLine(int line) const;
  // Replaces every breakpoint; returns where each landed (0: nowhere), in the order asked.
  std::vector<int> SetBreakpoints(const std::vector<int>& lines);
  // The first statement stops, with the reason entry.
  void StopOnEntry();
  void Pause();
  // False when the script is not stopped.
  bool Resume(EResumeAction action);
  // Ends the script: at once when stopped, else at its next statement.
  void Terminate();
  [[nodiscard]] bool IsStopped() const;
  [[nodiscard]] std::optional<SStopInfo> CurrentStop() const;
  // Runs work on the script's thread while it stays stopped and waits for it; false (and work
  // not run) when the script is not stopped.
  bool RunWhileStopped(const std::function<void()>& work);
  // True while work runs that must not stop (an evaluated expression calling script code).
  void SetQuiet(bool quiet) { m_quiet = quiet; }

  // ---- the virtual machine's hooks (script thread)
  void OnStatement(SFrame& frame, const SStatementPos& pos) override;
  void OnStopStatement(SFrame& frame) override;
  bool OnUnhandledError(SFrame& frame, const CScriptError& error) override;

 private:
  enum class EStepMode { None, Into, Over, Out };
  [[nodiscard]] bool WantsStatement(const SFrame& frame, const SStatementPos& pos, EStopReason& reason);
  [[nodiscard]] bool HasBreakpointAt(int line);
  // Blocks until resumed; throws SScriptStop when told to terminate.
  void Stop(const SStopInfo& stop);
  void ArmAsNeeded();

  CVirtualMachine& m_vm;
  IDebugListener& m_listener;

  mutable std::mutex m_lock;
  std::condition_variable m_wake;
  std::set<int> m_codeLines;
  std::set<int> m_breakpoints;
  // The script thread's copy of the breakpoints, refreshed when the generation moves.
  std::atomic<uint64_t> m_breakpointGeneration{0};
  std::atomic<bool> m_haveBreakpoints{false};
  uint64_t m_seenGeneration = 0;
  std::vector<uint8_t> m_breakLines;

  std::atomic<bool> m_pauseRequested{false};
  std::atomic<bool> m_terminateRequested{false};
  std::atomic<bool> m_quiet{false};
  EStepMode m_stepMode = EStepMode::None;
  int m_stepDepth = 0;
  bool m_entryPending = false;

  // While stopped: guarded by m_lock.
  std::optional<SStopInfo> m_stop;
  std::optional<EResumeAction> m_resume;
  struct SWork {
    const std::function<void()>* run = nullptr;
    bool done = false;
  };
  std::deque<SWork*> m_work;
};

}  // namespace quillet::engine::debug
