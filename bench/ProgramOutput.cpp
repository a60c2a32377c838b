#include "ProgramOutput.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace quillet::bench {

size_t CountOutputLines(std::initializer_list<const char*> arguments) {
  std::vector<char*> argv;
  for (const char* argument : arguments) argv.push_back(const_cast<char*>(argument));
  argv.push_back(nullptr);
  int ends[2];
  if (argv.size() < 2 || pipe(ends) != 0) return 0;
  const pid_t child = fork();
  if (child == 0) {
    dup2(ends[1], STDOUT_FILENO);
    close(ends[0]);
    close(ends[1]);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(ends[1]);
  size_t lines = 0;
  char buffer[65536];
  for (ssize_t got; (got = read(ends[0], buffer, sizeof buffer)) > 0;) {
    lines += static_cast<size_t>(std::count(buffer, buffer + got, '\n'));
  }
  close(ends[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return lines;
}

}  // namespace quillet::bench
