#pragma once
// A crowd of idle child processes that a benchmark puts on the machine, and that never outlive
// it: each asks the kernel to kill it when its parent dies (by any means, SIGKILL included),
// and the destructor kills and reaps whatever is left.

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace quillet::bench {

class CChildProcesses {
 public:
  CChildProcesses() = default;
  ~CChildProcesses();
  CChildProcesses(const CChildProcesses&) = delete;
  CChildProcesses& operator=(const CChildProcesses&) = delete;

  // Starts count copies of `sleep 3600`; returns how many were started. Waits (at most a few
  // seconds) until each is the sleeping program rather than a copy of this one.
  size_t Start(size_t count) { return Start(count, "sleep", "3600"); }
  // The same with a program of one's own (a path, or a name found along PATH) and its argument.
  size_t Start(size_t count, const std::string& program, const std::string& argument);
  [[nodiscard]] size_t Count() const { return m_children.size(); }

 private:
  std::vector<pid_t> m_children;
};

}  // namespace quillet::bench
