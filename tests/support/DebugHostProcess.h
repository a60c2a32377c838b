#pragma once
// A real cscript started with //nologo //D on a script, its standard output in a pipe; killed
// when the test lets go of it.

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace quillet::test {

inline constexpr int kWaitMilliseconds = 10000;

// cscript //nologo //D on a script, its standard output in a pipe.
struct SHost {
  pid_t pid = -1;
  int output = -1;

  explicit SHost(const std::string& script) {
    int ends[2];
    EXPECT_EQ(::pipe(ends), 0);
    pid = ::fork();
    if (pid == 0) {
      ::dup2(ends[1], 1);
      ::close(ends[0]);
      ::execl(QUILLET_CSCRIPT_PATH, "cscript", "//nologo", "//D", script.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(ends[1]);
    output = ends[0];
  }
  ~SHost() {
    if (pid > 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    if (output >= 0) ::close(output);
  }
  // Everything it wrote, then its exit code (-1 when it did not end in time).
  int Finish(std::string& written) {
    pollfd ready{output, POLLIN, 0};
    char buffer[4096];
    while (::poll(&ready, 1, kWaitMilliseconds) > 0) {
      const ssize_t got = ::read(output, buffer, sizeof buffer);
      if (got <= 0) break;
      written.append(buffer, static_cast<size_t>(got));
    }
    // Bounded: a host that closed its output but does not end fails the test instead of hanging it.
    int status = 0;
    for (int i = 0; i < kWaitMilliseconds / 10; ++i) {
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      pollfd none{-1, 0, 0};
      ::poll(&none, 0, 10);
    }
    return -1;
  }
};

}  // namespace quillet::test
