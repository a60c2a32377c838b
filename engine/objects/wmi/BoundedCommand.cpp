#include "engine/objects/wmi/BoundedCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

extern char** environ;

namespace quillet::engine {

namespace {

constexpr size_t kMaxOutput = 8 * 1024 * 1024;

int StatusToCode(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Reads until the pipe ends or the deadline passes; false on time-out.
bool ReadUntilEnd(int fd, std::string& output, std::chrono::steady_clock::time_point deadline) {
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd waiting{fd, POLLIN, 0};
    const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return false;
    if (ready < 0) return true;  // nothing more can be read
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return true;
    if (output.size() < kMaxOutput) output.append(buffer, static_cast<size_t>(got));
  }
}

// Waits for the child until the deadline; false when it is still running.
bool WaitUntil(pid_t pid, int& status, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    // The pipe has closed, so the child is on its way out; poll briefly rather than block.
    poll(nullptr, 0, 2);
  }
}

}  // namespace

SCommandResult RunBounded(const std::vector<std::string>& argv, int timeoutMs) {
  SCommandResult result;
  if (argv.empty()) return result;
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A group of its own, so that a time-out ends whatever the helper started too.
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t defaults;
  sigfillset(&defaults);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(pipeFds[1]);
  if (failed != 0) {
    close(pipeFds[0]);
    return result;
  }
  result.started = true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  const bool ended = ReadUntilEnd(pipeFds[0], result.output, deadline);
  close(pipeFds[0]);
  int status = 0;
  if (!ended || !WaitUntil(pid, status, deadline)) {
    result.timedOut = true;
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  result.exitCode = StatusToCode(status);
  return result;
}

}  // namespace quillet::engine
