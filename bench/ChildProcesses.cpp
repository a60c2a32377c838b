#include "ChildProcesses.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

namespace quillet::bench {

namespace {

bool IsSleeping(pid_t child) {
  std::ifstream comm("/proc/" + std::to_string(child) + "/comm");
  std::string name;
  return std::getline(comm, name) && name == "sleep";
}

}  // namespace

size_t CChildProcesses::Start(size_t count) {
  const pid_t parent = getpid();
  for (size_t i = 0; i < count; ++i) {
    const pid_t child = fork();
    if (child < 0) break;
    if (child == 0) {
      // Dies with the benchmark; if the benchmark died before this line ran, go at once.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(0);
      execlp("sleep", "sleep", "3600", static_cast<char*>(nullptr));
      _exit(127);
    }
    m_children.push_back(child);
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (const pid_t child : m_children) {
    while (!IsSleeping(child) && std::chrono::steady_clock::now() < deadline) sched_yield();
  }
  return m_children.size();
}

CChildProcesses::~CChildProcesses() {
  for (const pid_t child : m_children) kill(child, SIGKILL);
  for (const pid_t child : m_children) waitpid(child, nullptr, 0);
}

}  // namespace quillet::bench
