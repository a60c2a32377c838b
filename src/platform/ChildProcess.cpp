#include "platform/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <thread>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace quillet::platform {

CChildProcess::~CChildProcess() { Release(); }

CChildProcess::CChildProcess(CChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)),
      m_inputFd(std::exchange(other.m_inputFd, -1)),
      m_outputFd(std::exchange(other.m_outputFd, -1)),
      m_errorFd(std::exchange(other.m_errorFd, -1)),
      m_exitCode(other.m_exitCode) {}

CChildProcess& CChildProcess::operator=(CChildProcess&& other) noexcept {
  if (this != &other) {
    Release();
    m_pid = std::exchange(other.m_pid, -1);
    m_inputFd = std::exchange(other.m_inputFd, -1);
    m_outputFd = std::exchange(other.m_outputFd, -1);
    m_errorFd = std::exchange(other.m_errorFd, -1);
    m_exitCode = other.m_exitCode;
  }
  return *this;
}

// A process left running when its record goes would outlive the editor's control of it, and
// an unreaped one would stay a zombie.
void CChildProcess::Release() {
  if (m_pid > 0) Terminate();
  CloseInput();
  if (m_outputFd >= 0) ::close(std::exchange(m_outputFd, -1));
  if (m_errorFd >= 0) ::close(std::exchange(m_errorFd, -1));
}

void CChildProcess::Reap(int status) {
  m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  m_pid = -1;
}

bool CChildProcess::HasEnded(int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (m_pid <= 0) return true;
    int status = 0;
    const pid_t result = ::waitpid(m_pid, &status, WNOHANG);
    if (result == m_pid) { Reap(status); return true; }
    if (result < 0 && errno != EINTR) { m_pid = -1; return true; }
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void CChildProcess::Terminate() {
  if (m_pid <= 0) return;
  // The host leads its own session, so its group holds whatever the script started too.
  ::kill(-m_pid, SIGKILL);
  ::kill(m_pid, SIGKILL);
  int status = 0;
  while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
  }
  Reap(status);
}

pid_t CChildProcess::Detach() {
  const pid_t pid = std::exchange(m_pid, -1);
  Release();
  return pid;
}

bool CChildProcess::WriteInput(std::string_view bytes) {
  while (!bytes.empty()) {
    if (m_inputFd < 0) return false;
    const ssize_t written = ::write(m_inputFd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

int CChildProcess::TakeOutputFd() { return std::exchange(m_outputFd, -1); }

int CChildProcess::TakeErrorFd() { return std::exchange(m_errorFd, -1); }

void CChildProcess::CloseInput() {
  if (m_inputFd >= 0) ::close(std::exchange(m_inputFd, -1));
}

}  // namespace quillet::platform
