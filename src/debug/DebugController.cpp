#include "debug/DebugController.h"

#include <algorithm>
#include <vector>

namespace quillet::debug {

CDebugController::CDebugController(BreakpointTable& breakpoints, IDebugWindows& windows)
    : m_breakpoints(breakpoints), m_windows(windows) {}

CDebugController::~CDebugController() = default;

bool CDebugController::Prepare(int firstStep, std::string& error) {
  End();
  if (!m_listener.Listen(error)) return false;
  m_firstStep = firstStep;
  m_exitCode.reset();
  m_state = EDebugState::Starting;
  return true;
}

void CDebugController::HostStarted(pid_t pid, const std::string& scriptPath) {
  m_scriptPath = scriptPath;
  m_listener.ExpectHost(pid);
}

void CDebugController::OnListenerReadable() {
  const int socket = m_listener.AcceptHost();
  if (socket < 0) return;
  // One host per run: nobody else needs to find the socket any more.
  m_listener.Close();
  m_client = std::make_unique<CHostDebugClient>(socket, *this);
  m_client->Attach();
  SyncBreakpoints();
  m_client->ConfigurationDone();
  m_state = EDebugState::Running;
  m_windows.DebuggingChanged(true);
}

void CDebugController::OnHostReadable() {
  if (m_client) m_client->OnReadable();
}

void CDebugController::Resume(EStepKind kind) {
  if (m_state != EDebugState::Stopped || !m_client) return;
  m_client->Resume(kind);
  m_state = EDebugState::Running;
  SetExecutionLine(-1);
}

void CDebugController::Break() {
  if (m_state != EDebugState::Running || !m_client) return;
  m_client->Pause();
}

void CDebugController::BreakpointsChanged() {
  if (IsDebugging()) SyncBreakpoints();
}

void CDebugController::RemoveAllBreakpoints() {
  if (IsDebugging()) {
    // Kept as cleared until the run ends, as a toggle leaves them.
    for (auto& [line, value] : m_breakpoints) value = 0;
    SyncBreakpoints();
  } else {
    m_breakpoints.clear();
  }
}

void CDebugController::End() {
  if (m_client) m_client->ReadWhatIsLeft();
  if (m_client && m_client->Connected()) m_client->Terminate();
  m_client.reset();
  m_listener.Close();
  const bool wasDebugging = IsDebugging();
  m_state = EDebugState::Idle;
  SetExecutionLine(-1);
  std::erase_if(m_breakpoints, [](const auto& entry) { return entry.second == 0; });
  if (wasDebugging) m_windows.DebuggingChanged(false);
}

void CDebugController::SyncBreakpoints() {
  if (!m_client) return;
  std::vector<int32_t> lines;
  for (const auto& [line, value] : m_breakpoints) {
    if (value == 1) lines.push_back(line);
  }
  std::sort(lines.begin(), lines.end());
  std::vector<int> protocolLines;
  for (const int32_t line : lines) protocolLines.push_back(line + 1);
  m_client->SetBreakpoints(m_scriptPath, protocolLines,
                           [this, lines](const std::vector<int>& landed) { MoveBreakpoints(lines, landed); });
}

void CDebugController::MoveBreakpoints(const std::vector<int32_t>& sent, const std::vector<int>& landed) {
  bool moved = false;
  for (size_t i = 0; i < sent.size() && i < landed.size(); ++i) {
    const int32_t from = sent[i];
    const int32_t to = landed[i] - 1;
    // Nowhere to land (no code after it), or toggled off while the answer was on its way.
    if (landed[i] <= 0 || to == from) continue;
    const auto it = m_breakpoints.find(from);
    if (it == m_breakpoints.end() || it->second != 1) continue;
    m_breakpoints.erase(it);
    m_breakpoints[to] = 1;
    m_windows.RedrawLine(from);
    m_windows.RedrawLine(to);
    moved = true;
  }
  if (moved) m_windows.BringToFront();
}

bool CDebugController::HasSetBreakpoint() const {
  return std::any_of(m_breakpoints.begin(), m_breakpoints.end(), [](const auto& entry) { return entry.second == 1; });
}

bool CDebugController::RunsOnFromEntry(int32_t line) const {
  const auto here = m_breakpoints.find(line);
  if (here != m_breakpoints.end() && here->second == 1) return false;
  return m_firstStep == 0 || (m_firstStep == 1 && HasSetBreakpoint());
}

void CDebugController::OnStopped(const SDebugStop& stop) {
  const int32_t line = stop.line - 1;
  if (stop.reason == "entry" && RunsOnFromEntry(line)) {
    m_client->Resume(EStepKind::Continue);
    return;
  }
  m_state = EDebugState::Stopped;
  if (stop.error) m_windows.ShowErrorBox(stop.error->MessageText());
  SetExecutionLine(line);
}

void CDebugController::OnOutput(const std::string&, const std::string& text) { m_windows.AppendDebugOutput(text); }

void CDebugController::OnExited(int exitCode) { m_exitCode = exitCode; }

void CDebugController::OnDisconnected() {
  if (m_state == EDebugState::Stopped) SetExecutionLine(-1);
  m_state = EDebugState::Running;
  m_windows.HostGone();
}

void CDebugController::SetExecutionLine(int32_t line) {
  if (line == m_executionLine) return;
  m_executionLine = line;
  m_windows.SetExecutionLine(line);
}

}  // namespace quillet::debug
