#pragma once
// The editor's end of the rendezvous: a socket in the user's private folder where a host
// started with //D comes to be debugged. Only the host this editor started is taken: anyone
// else who connects is turned away at once, and that host then runs without a debugger.
// Driven by the caller's event loop: when Socket() is readable, call AcceptHost().

#include <sys/types.h>

#include <string>

namespace quillet::debug {

class CDebugListener {
 public:
  CDebugListener() = default;
  ~CDebugListener();
  CDebugListener(const CDebugListener&) = delete;
  CDebugListener& operator=(const CDebugListener&) = delete;

  // Makes the private folder if needed and listens. False, with a reason for the user, when the
  // folder is not the user's alone or another debugging session already listens there.
  bool Listen(std::string& error);
  [[nodiscard]] int Socket() const { return m_listener; }
  // The process id of what was started to run the host (the host, or the terminal it runs in);
  // connections from any process outside it are refused.
  void ExpectHost(pid_t pid) { m_expected = pid; }
  // Takes one waiting connection: the expected host's (the caller owns it), or -1 when there
  // was none or it came from someone else (closed here).
  [[nodiscard]] int AcceptHost();
  // Stops listening and removes the socket so that later hosts find nobody.
  void Close();

  // The process at the other end of a local connection, from the kernel, not from its words.
  [[nodiscard]] static pid_t PeerProcess(int socket);

 private:
  bool PrepareFolder(std::string& error);
  bool ClearStaleSocket(const std::string& path, std::string& error);
  [[nodiscard]] bool IsStartedHost(pid_t peer) const;

  int m_listener = -1;
  pid_t m_expected = -1;
  std::string m_path;
};

}  // namespace quillet::debug
