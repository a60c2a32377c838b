#include "debug/DebugListener.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/debug/DebugRendezvous.h"

namespace quillet::debug {

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
  address = sockaddr_un{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// The parent of a process, from /proc; -1 when it cannot be read.
pid_t ParentOf(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text;
  std::getline(stat, text);
  // The name in parentheses may hold anything, blanks and parentheses too: read after the last.
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 1));
  char state = 0;
  pid_t parent = -1;
  fields >> state >> parent;
  return fields ? parent : -1;
}

}  // namespace

CDebugListener::~CDebugListener() { Close(); }

bool CDebugListener::PrepareFolder(std::string& error) {
  const std::string folder = dap::DebugRendezvousFolder();
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    error = "Cannot create the folder " + folder + ": " + std::strerror(errno);
    return false;
  }
  // A folder of ours left with a looser mode is tightened; one that is a link or someone
  // else's is never used, since whoever owns it could stand in for the editor.
  struct stat info {};
  if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid()) {
    (void)::chmod(folder.c_str(), 0700);
  }
  if (!dap::IsPrivateFolder(folder)) {
    error = "The folder " + folder + " is not private to this user.";
    return false;
  }
  return true;
}

// A socket left behind by an editor that ended without cleaning up is removed; one somebody
// still listens on belongs to another debugging session and is left alone.
bool CDebugListener::ClearStaleSocket(const std::string& path, std::string& error) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return true;
  sockaddr_un address{};
  FillAddress(path, address);
  const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool alive = probe >= 0 && ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (probe >= 0) ::close(probe);
  if (alive) {
    error = "Another script is being debugged.";
    return false;
  }
  (void)::unlink(path.c_str());
  return true;
}

bool CDebugListener::Listen(std::string& error) {
  Close();
  if (!PrepareFolder(error)) return false;
  const std::string path = dap::DebugRendezvousSocket();
  sockaddr_un address{};
  if (!FillAddress(path, address)) {
    error = "The debugger's socket path is too long: " + path;
    return false;
  }
  if (!ClearStaleSocket(path, error)) return false;
  m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m_listener, 4) != 0) {
    error = "Cannot listen at " + path + ": " + std::strerror(errno);
    Close();
    return false;
  }
  m_path = path;
  return true;
}

int CDebugListener::AcceptHost() {
  if (m_listener < 0) return -1;
  const int peer = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
  if (peer < 0) return -1;
  if (!IsStartedHost(PeerProcess(peer))) {
    // Closing before a word is exchanged: the stranger's script runs on without a debugger.
    ::close(peer);
    return -1;
  }
  return peer;
}

// The started process itself, or a process it started: a terminal window runs the console
// host as its child. Nothing else this user runs descends from what the editor launched.
bool CDebugListener::IsStartedHost(pid_t peer) const {
  if (m_expected <= 0) return false;
  for (int depth = 0; depth < 16 && peer > 1; ++depth) {
    if (peer == m_expected) return true;
    peer = ParentOf(peer);
  }
  return false;
}

void CDebugListener::Close() {
  if (m_listener >= 0) ::close(m_listener);
  m_listener = -1;
  if (!m_path.empty()) (void)::unlink(m_path.c_str());
  m_path.clear();
}

pid_t CDebugListener::PeerProcess(int socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return -1;
  return peer.pid;
}

}  // namespace quillet::debug
