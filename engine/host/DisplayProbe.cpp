#include "engine/host/DisplayProbe.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

namespace quillet::engine::host {

namespace {

bool CanConnect(const std::string& socketPath, bool abstractName) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const size_t offset = abstractName ? 1 : 0;
  if (socketPath.size() + offset >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path + offset, socketPath.data(), socketPath.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + socketPath.size());
  const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  ::close(fd);
  return ok;
}

const char* Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

bool WaylandReachable() {
  const char* display = Env("WAYLAND_DISPLAY");
  if (display == nullptr) return false;
  if (display[0] == '/') return CanConnect(display, false);
  const char* runtime = Env("XDG_RUNTIME_DIR");
  return runtime != nullptr && CanConnect(std::string(runtime) + "/" + display, false);
}

// ":N" or ":N.S" is a local server, reached through its socket; any other name is a remote
// server that only the toolkit can try.
bool X11Reachable() {
  const char* display = Env("DISPLAY");
  if (display == nullptr) return false;
  if (display[0] != ':') return true;
  std::string number(display + 1);
  number = number.substr(0, number.find('.'));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  const std::string path = "/tmp/.X11-unix/X" + number;
  return CanConnect(path, false) || CanConnect(path, true);
}

}  // namespace

bool HasUsableDisplay() {
  // A test or a headless session may ask for a platform without a screen, where a dialog
  // would wait for ever for a click nobody can make.
  if (const char* platform = Env("QT_QPA_PLATFORM"); platform != nullptr) {
    const std::string name(platform);
    if (name.rfind("offscreen", 0) == 0 || name.rfind("minimal", 0) == 0) return false;
  }
  return WaylandReachable() || X11Reachable();
}

}  // namespace quillet::engine::host
