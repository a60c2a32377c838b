#include "platform/FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace quillet::platform {

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char block[1 << 16];
  bool ok = true;
  while (true) {
    const ssize_t count = ::read(fd, block, sizeof block);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) ok = false;
    if (count <= 0) break;
    bytes.append(block, static_cast<size_t>(count));
  }
  ::close(fd);
  return ok;
}

}  // namespace quillet::platform
