// A child process for the tests that start programs: it does, in order, what its arguments
// ask, so that a test says exactly what the child writes, reads and how it ends, with no
// shell or system tool in between whose behaviour could differ from one machine to another.
//
//   print-args ARG...    each following argument on a line of its own, as [ARG]; stops there
//   out TEXT, err TEXT   TEXT and a line break on standard output / error
//   out-bytes N C        N times the character C on standard output (err-bytes: error)
//   out-lines N          lines "line 1" to "line N" on standard output (err-lines: error)
//   echo-stdin           standard input to standard output, up to its end
//   env NAME             the variable's value, or <unset>
//   cwd                  the working folder
//   touch PATH           makes an empty file
//   sleep-ms N           waits N milliseconds
//   forever              waits until a signal ends it
//   signal N             raises signal N
//   exit N               ends with exit code N (0 after the last command)

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool WriteText(int fd, const std::string& text) { return WriteAll(fd, text.data(), text.size()); }

// Large outputs go out in large writes, so that the child itself costs little beside its reader.
bool WriteRepeated(int fd, size_t count, char c) {
  const std::string block(std::min<size_t>(count, size_t{1} << 20), c);
  while (count > 0) {
    const size_t now = std::min(count, block.size());
    if (!WriteAll(fd, block.data(), now)) return false;
    count -= now;
  }
  return true;
}

bool WriteLines(int fd, long count) {
  std::string text;
  for (long i = 1; i <= count; ++i) {
    text += "line " + std::to_string(i) + "\n";
    if (text.size() >= 65536 && !WriteText(fd, text)) return false;
    if (text.size() >= 65536) text.clear();
  }
  return WriteText(fd, text);
}

bool EchoInput() {
  std::vector<char> buffer(65536);
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    if (!WriteAll(STDOUT_FILENO, buffer.data(), static_cast<size_t>(got))) return false;
  }
}

void SleepMilliseconds(long milliseconds) {
  timespec left{milliseconds / 1000, (milliseconds % 1000) * 1'000'000};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

[[noreturn]] void Usage(const char* what) {
  WriteText(STDERR_FILENO, std::string("quillet_test_child: cannot do ") + what + "\n");
  std::_Exit(125);
}

long Number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0') Usage(text);
  return value;
}

// Runs the command at args[i] and returns the index of the next one, or -1 when the child is done.
int Perform(int argc, char** argv, int i) {
  const std::string verb = argv[i];
  const auto operand = [&](int k) -> const char* {
    if (i + k >= argc) Usage(verb.c_str());
    return argv[i + k];
  };
  if (verb == "print-args") {
    for (int k = i + 1; k < argc; ++k) WriteText(STDOUT_FILENO, std::string("[") + argv[k] + "]\n");
    return -1;
  }
  if (verb == "out" || verb == "err") {
    const bool ok = WriteText(verb == "out" ? STDOUT_FILENO : STDERR_FILENO, std::string(operand(1)) + "\n");
    return ok ? i + 2 : -1;
  }
  if (verb == "out-bytes" || verb == "err-bytes") {
    const int fd = verb == "out-bytes" ? STDOUT_FILENO : STDERR_FILENO;
    const bool ok = WriteRepeated(fd, static_cast<size_t>(Number(operand(1))), operand(2)[0]);
    return ok ? i + 3 : -1;
  }
  if (verb == "out-lines" || verb == "err-lines") {
    const bool ok = WriteLines(verb == "out-lines" ? STDOUT_FILENO : STDERR_FILENO, Number(operand(1)));
    return ok ? i + 2 : -1;
  }
  if (verb == "echo-stdin") return EchoInput() ? i + 1 : -1;
  if (verb == "env") {
    const char* value = std::getenv(operand(1));
    WriteText(STDOUT_FILENO, std::string(value != nullptr ? value : "<unset>") + "\n");
    return i + 2;
  }
  if (verb == "cwd") {
    std::vector<char> folder(4096);
    WriteText(STDOUT_FILENO, std::string(::getcwd(folder.data(), folder.size()) ? folder.data() : "?") + "\n");
    return i + 1;
  }
  if (verb == "touch") {
    const int fd = ::open(operand(1), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0) ::close(fd);
    return i + 2;
  }
  if (verb == "sleep-ms") {
    SleepMilliseconds(Number(operand(1)));
    return i + 2;
  }
  if (verb == "forever") {
    for (;;) ::pause();
  }
  if (verb == "signal") {
    const int signal = static_cast<int>(Number(operand(1)));
    std::signal(signal, SIG_DFL);
    ::raise(signal);
    return -1;
  }
  if (verb == "exit") std::_Exit(static_cast<int>(Number(operand(1))));
  Usage(verb.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i > 0 && i < argc;) i = Perform(argc, argv, i);
  return 0;
}
