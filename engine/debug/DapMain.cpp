// quillet-dap: a debug adapter for VBScript on standard input and output. The protocol keeps
// the process's original standard input and output to itself; the script (and every program it
// starts) gets an empty standard input, and its standard output and error come back to the
// client as output events.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <thread>

#include "engine/debug/DapMessageReader.h"
#include "engine/debug/DapMessageWriter.h"
#include "engine/debug/DapSession.h"

namespace {

using quillet::dap::CDapMessageReader;
using quillet::dap::CDapMessageWriter;
using quillet::engine::debug::CDapSession;

constexpr int kEndWaitMilliseconds = 3000;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

int KeepPrivate(int fd) {
  const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
  return copy;
}

// Moves fd 1 or 2 onto a pipe whose other end this returns.
int RedirectIntoPipe(int target) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
  ::dup2(ends[1], target);
  ::close(ends[1]);
  return ends[0];
}

void ForwardPipe(int fd, const char* category, CDapSession* session) {
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;
    session->SendOutput(category, std::string_view(buffer, static_cast<size_t>(got)));
  }
}

void Complain(int fd, const std::string& text) { (void)WriteAll(fd, "quillet-dap: " + text + "\n"); }

}  // namespace

int main() {
  ::signal(SIGPIPE, SIG_IGN);
  const int protocolIn = KeepPrivate(0);
  const int protocolOut = KeepPrivate(1);
  const int diagnostics = KeepPrivate(2);
  if (protocolIn < 0 || protocolOut < 0) return 2;
  const int empty = ::open("/dev/null", O_RDONLY);
  if (empty >= 0) {
    ::dup2(empty, 0);
    ::close(empty);
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int scriptOut = RedirectIntoPipe(1);
  const int scriptErr = RedirectIntoPipe(2);

  CDapMessageWriter writer([protocolOut](std::string_view bytes) { return WriteAll(protocolOut, bytes); });
  CDapSession session(writer);
  if (scriptOut >= 0) std::thread(ForwardPipe, scriptOut, "stdout", &session).detach();
  if (scriptErr >= 0) std::thread(ForwardPipe, scriptErr, "stderr", &session).detach();

  CDapMessageReader reader;
  char buffer[65536];
  int exitCode = 0;
  while (!session.Disconnected()) {
    const ssize_t got = ::read(protocolIn, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    reader.Append(std::string_view(buffer, static_cast<size_t>(got)));
    nlohmann::json message;
    std::string error;
    bool broken = false;
    for (;;) {
      const auto result = reader.Next(message, error);
      if (result == CDapMessageReader::EResult::NeedMore) break;
      if (result == CDapMessageReader::EResult::Message) {
        session.Handle(message);
        if (session.Disconnected()) break;
        continue;
      }
      Complain(diagnostics, error);
      session.SendOutput("console", "quillet-dap: " + error + "\n");
      if (result == CDapMessageReader::EResult::Broken) {
        broken = true;
        exitCode = 2;
        break;
      }
    }
    if (broken) break;
  }
  // The client is gone or said goodbye: the script ends with it. Threads that still wait (a
  // script in a long Sleep, the pipes' readers) end with the process.
  (void)session.EndScript(kEndWaitMilliseconds);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
