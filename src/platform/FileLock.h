#pragma once
// An exclusive lock on a file (created if missing) for as long as the object lives: how the writers
// of hive files beside each other keep a read-merge-write cycle to one process at a time.

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <ctime>
#include <string>

namespace quillet::platform {

class CFileLock {
 public:
  explicit CFileLock(const std::string& path)
      : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
      ::close(m_fd);
      m_fd = -1;
    }
  }
  ~CFileLock() {
    if (m_fd >= 0) ::close(m_fd);  // closing releases the lock
  }
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;
  [[nodiscard]] bool Held() const { return m_fd >= 0; }

 private:
  int m_fd;
};

// Local date and time as "YYYYMMDD-HHMMSS", for the names that damaged files are kept aside under.
inline std::string FileTimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  ::localtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
  return text;
}

}  // namespace quillet::platform
