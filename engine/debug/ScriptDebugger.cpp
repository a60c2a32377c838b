#include "engine/debug/ScriptDebugger.h"

#include "engine/runtime/ScriptError.h"
#include "engine/vm/ScriptEngine.h"

namespace quillet::engine::debug {

CScriptDebugger::CScriptDebugger(CScriptEngine& engine, IDebugListener& listener)
    : m_vm(engine.Vm()), m_listener(listener) {
  m_vm.AttachDebugger(this);
}

CScriptDebugger::~CScriptDebugger() { m_vm.AttachDebugger(nullptr); }

void CScriptDebugger::SetCodeLines(std::set<int> lines) {
  const std::lock_guard<std::mutex> guard(m_lock);
  m_codeLines = std::move(lines);
}

int CScriptDebugger::LandingLine(int line) const {
  const std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_codeLines.lower_bound(line);
  return it == m_codeLines.end() ? 0 : *it;
}

std::vector<int> CScriptDebugger::SetBreakpoints(const std::vector<int>& lines) {
  std::vector<int> landed;
  landed.reserve(lines.size());
  for (int line : lines) landed.push_back(LandingLine(line));
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_breakpoints.clear();
    for (int line : landed) {
      if (line > 0) m_breakpoints.insert(line);
    }
    m_haveBreakpoints = !m_breakpoints.empty();
  }
  ++m_breakpointGeneration;
  if (!landed.empty()) m_vm.ArmBreakTrap(true);
  return landed;
}

void CScriptDebugger::StopOnEntry() {
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_entryPending = true;
  }
  m_vm.ArmBreakTrap(true);
}

void CScriptDebugger::Pause() {
  m_pauseRequested = true;
  m_vm.ArmBreakTrap(true);
}

bool CScriptDebugger::Resume(EResumeAction action) {
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    if (!m_stop || m_resume) return false;
    m_resume = action;
  }
  m_wake.notify_all();
  return true;
}

void CScriptDebugger::Terminate() {
  m_terminateRequested = true;
  if (!Resume(EResumeAction::Terminate)) m_vm.RequestStop(false);
}

bool CScriptDebugger::IsStopped() const {
  const std::lock_guard<std::mutex> guard(m_lock);
  return m_stop.has_value() && !m_resume;
}

std::optional<SStopInfo> CScriptDebugger::CurrentStop() const {
  const std::lock_guard<std::mutex> guard(m_lock);
  if (m_resume) return std::nullopt;
  return m_stop;
}

bool CScriptDebugger::RunWhileStopped(const std::function<void()>& work) {
  SWork item{&work, false};
  std::unique_lock<std::mutex> guard(m_lock);
  if (!m_stop || m_resume) return false;
  m_work.push_back(&item);
  m_wake.notify_all();
  m_wake.wait(guard, [&] { return item.done; });
  return true;
}

// ---- script thread ---------------------------------------------------------------------

bool CScriptDebugger::HasBreakpointAt(int line) {
  const uint64_t generation = m_breakpointGeneration.load();
  if (generation != m_seenGeneration) {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_breakLines.clear();
    for (int at : m_breakpoints) {
      if (static_cast<size_t>(at) >= m_breakLines.size()) m_breakLines.resize(static_cast<size_t>(at) + 1, 0);
      m_breakLines[static_cast<size_t>(at)] = 1;
    }
    m_seenGeneration = generation;
  }
  return line > 0 && static_cast<size_t>(line) < m_breakLines.size() && m_breakLines[static_cast<size_t>(line)] != 0;
}

bool CScriptDebugger::WantsStatement(const SFrame& frame, const SStatementPos& pos, EStopReason& reason) {
  if (m_entryPending) {
    m_entryPending = false;
    reason = EStopReason::Entry;
    return true;
  }
  // Read first: the exchange is a locked operation, and statements are many.
  if (m_pauseRequested.load(std::memory_order_relaxed) && m_pauseRequested.exchange(false)) {
    reason = EStopReason::Pause;
    return true;
  }
  const int depth = m_vm.CallDepth();
  reason = EStopReason::Step;
  if (m_stepMode == EStepMode::Into) return true;
  if (m_stepMode == EStepMode::Over && depth <= m_stepDepth) return true;
  if (m_stepMode == EStepMode::Out && depth < m_stepDepth) return true;
  // A line holding several statements breaks at its first one only.
  const auto& statements = frame.proc->statements;
  const size_t index = static_cast<size_t>(&pos - statements.data());
  const bool firstOnLine = index == 0 || index > statements.size() || statements[index - 1].line != pos.line;
  reason = EStopReason::Breakpoint;
  return firstOnLine && HasBreakpointAt(pos.line);
}

void CScriptDebugger::OnStatement(SFrame& frame, const SStatementPos& pos) {
  if (m_quiet || frame.proc->isDynamic) return;
  if (m_terminateRequested) throw SScriptStop{0, false};
  EStopReason reason{};
  if (WantsStatement(frame, pos, reason)) {
    Stop(SStopInfo{reason, pos.line, pos.column, std::nullopt});
    return;
  }
  ArmAsNeeded();
}

void CScriptDebugger::OnStopStatement(SFrame& frame) {
  if (m_quiet) return;
  const SStatementPos* pos = frame.proc->StatementAt(frame.pc == 0 ? 0 : frame.pc - 1);
  Stop(SStopInfo{EStopReason::StopStatement, pos != nullptr ? pos->line : 0, pos != nullptr ? pos->column : 0,
                 std::nullopt});
}

bool CScriptDebugger::OnUnhandledError(SFrame& /*frame*/, const CScriptError& error) {
  if (m_quiet) return false;
  SStopInfo stop{EStopReason::Exception, error.Line(), error.Column(),
                 SErrorBreak{error.Number(), error.Description(), error.Source()}};
  Stop(stop);
  return true;
}

// The trap stays armed only while something may want a statement: a script running without
// breakpoints or steps then costs what it costs without a debugger. A pause or breakpoint that
// arrives meanwhile arms it again from its own thread.
void CScriptDebugger::ArmAsNeeded() {
  if (m_stepMode != EStepMode::None || m_entryPending || m_haveBreakpoints) return;
  m_vm.ArmBreakTrap(false);
  if (m_pauseRequested || m_haveBreakpoints) m_vm.ArmBreakTrap(true);
}

void CScriptDebugger::Stop(const SStopInfo& stop) {
  // Any pause asked for so far is this stop; one asked for while stopped stops the next statement.
  m_pauseRequested = false;
  {
    const std::lock_guard<std::mutex> guard(m_lock);
    m_stop = stop;
    m_resume.reset();
  }
  m_stepMode = EStepMode::None;
  m_listener.OnStopped(stop);
  EResumeAction action{};
  {
    std::unique_lock<std::mutex> guard(m_lock);
    for (;;) {
      m_wake.wait(guard, [&] { return m_resume.has_value() || !m_work.empty(); });
      if (!m_work.empty()) {
        SWork* work = m_work.front();
        m_work.pop_front();
        guard.unlock();
        try {
          (*work->run)();
        } catch (...) {
          // A look at the stopped script never ends it.
        }
        guard.lock();
        work->done = true;
        m_wake.notify_all();
        continue;
      }
      action = *m_resume;
      m_stop.reset();
      m_resume.reset();
      break;
    }
  }
  switch (action) {
    case EResumeAction::Terminate: throw SScriptStop{0, false};
    case EResumeAction::Continue: m_stepMode = EStepMode::None; break;
    case EResumeAction::StepIn: m_stepMode = EStepMode::Into; break;
    case EResumeAction::StepOver: m_stepMode = EStepMode::Over; break;
    case EResumeAction::StepOut: m_stepMode = EStepMode::Out; break;
  }
  m_stepDepth = m_vm.CallDepth();
  m_listener.OnContinued();
  if (m_stepMode != EStepMode::None) m_vm.ArmBreakTrap(true);
  else ArmAsNeeded();
}

}  // namespace quillet::engine::debug
