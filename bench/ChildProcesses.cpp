#include "ChildProcesses.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace quillet::bench {

namespace {

// The kernel names a process after its program's file, cut to 15 characters.
bool IsRunning(pid_t child, const std::string& program) {
  std::ifstream comm("/proc/" + std::to_string(child) + "/comm");
  std::string name;
  const std::string expected = std::filesystem::path(program).filename().string().substr(0, 15);
  return std::getline(comm, name) && name == expected;
}

}  // namespace

size_t CChildProcesses::Start(size_t count, const std::string& program, const std::string& argument) {
  const pid_t parent = getpid();
  for (size_t i = 0; i < count; ++i) {
    const pid_t child = fork();
    if (child < 0) break;
    if (child == 0) {
      // Dies with the benchmark; if the benchmark died before this line ran, go at once.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(0);
      execlp(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    m_children.push_back(child);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (const pid_t child : m_children) {
    while (!IsRunning(child, program) && std::chrono::steady_clock::now() < deadline) sched_yield();
  }
  return m_children.size();
}

CChildProcesses::~CChildProcesses() {
  for (const pid_t child : m_children) kill(child, SIGKILL);
  for (const pid_t child : m_children) waitpid(child, nullptr, 0);
}

}  // namespace quillet::bench
