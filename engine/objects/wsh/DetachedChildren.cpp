#include "engine/objects/wsh/DetachedChildren.h"

#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

namespace quillet::engine::wsh {

namespace {

std::mutex g_lock;
std::vector<pid_t> g_children;

}  // namespace

void AdoptDetachedChild(pid_t pid) {
  if (pid <= 0) return;
  const std::lock_guard guard(g_lock);
  g_children.push_back(pid);
}

size_t ReapDetachedChildren() {
  const std::lock_guard guard(g_lock);
  std::erase_if(g_children, [](pid_t pid) {
    int status = 0;
    const pid_t result = ::waitpid(pid, &status, WNOHANG);
    return result == pid || (result < 0 && errno == ECHILD);
  });
  return g_children.size();
}

}  // namespace quillet::engine::wsh
