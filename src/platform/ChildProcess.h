#pragma once
// A started host process and the editor's ends of its pipes. The child's ends are never kept
// here, so the output pipe reports its end as soon as the script and everything that inherited
// the pipe have gone.

#include <sys/types.h>

#include <cstdint>
#include <string_view>

namespace quillet::platform {

class CChildProcess {
 public:
  CChildProcess() = default;
  CChildProcess(pid_t pid, int inputFd, int outputFd, int errorFd = -1)
      : m_pid(pid), m_inputFd(inputFd), m_outputFd(outputFd), m_errorFd(errorFd) {}
  ~CChildProcess();
  CChildProcess(CChildProcess&& other) noexcept;
  CChildProcess& operator=(CChildProcess&& other) noexcept;
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;

  [[nodiscard]] bool IsValid() const { return m_pid > 0; }
  [[nodiscard]] pid_t ProcessId() const { return m_pid; }

  // True once the process has ended (or there is none), waiting at most timeoutMs for it.
  [[nodiscard]] bool HasEnded(int timeoutMs);
  // Ends the process and whatever it started in its session; reaps it.
  void Terminate();
  // Lets the process run on by itself once this record goes (a program a script started and
  // does not wait for); closes this side's pipes. Returns its id, which the caller reaps once it
  // ends (waitpid), or -1 when there was none running.
  pid_t Detach();
  // The exit status once ended; -1 before, 128 + signal for a killed process.
  [[nodiscard]] int ExitCode() const { return m_exitCode; }

  // Writes the bytes to the script's standard input; false when there is no input pipe or the
  // script has closed it.
  bool WriteInput(std::string_view bytes);
  // The read end of the output pipe, for the reader; handed over, so closed by the caller.
  [[nodiscard]] int TakeOutputFd();
  // The read end of the error pipe when standard error has one of its own, else -1; handed over.
  [[nodiscard]] int TakeErrorFd();
  void CloseInput();

 private:
  void Reap(int status);
  void Release();

  pid_t m_pid = -1;
  int m_inputFd = -1;
  int m_outputFd = -1;
  int m_errorFd = -1;
  int m_exitCode = -1;
};

}  // namespace quillet::platform
