#include "engine/debug/DebugRendezvous.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace quillet::dap {

std::string DebugRendezvousFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') return std::string(runtime) + "/quillet";
  return "/tmp/quillet-" + std::to_string(::getuid());
}

std::string DebugRendezvousSocket() { return DebugRendezvousFolder() + "/debugger"; }

bool IsPrivateFolder(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 0777) == 0700;
}

int ConnectToDebugger() {
  if (!IsPrivateFolder(DebugRendezvousFolder())) return -1;
  const std::string path = DebugRendezvousSocket();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return -1;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  // The folder is the user's own, but the listener is checked too: a script's debugger sees
  // and changes everything the script holds.
  ucred peer{};
  socklen_t size = sizeof peer;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || peer.uid != ::getuid()) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace quillet::dap
