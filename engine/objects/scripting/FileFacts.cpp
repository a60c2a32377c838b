#include "engine/objects/scripting/FileFacts.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <vector>

#include "engine/library/CivilDate.h"
#include "engine/library/DateSupport.h"
#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

bool StatPath(const std::string& path, int flags, struct statx& info) {
  return ::statx(AT_FDCWD, path.c_str(), flags, STATX_BASIC_STATS | STATX_BTIME, &info) == 0;
}

// A directory entry's open folder, closed when the walk leaves it.
class COpenFolder {
 public:
  explicit COpenFolder(int fd) : m_dir(fd >= 0 ? ::fdopendir(fd) : nullptr) {
    if (m_dir == nullptr && fd >= 0) ::close(fd);
  }
  ~COpenFolder() {
    if (m_dir != nullptr) ::closedir(m_dir);
  }
  COpenFolder(const COpenFolder&) = delete;
  COpenFolder& operator=(const COpenFolder&) = delete;
  [[nodiscard]] DIR* Get() const { return m_dir; }

 private:
  DIR* m_dir;
};

uint64_t SizeOfOpenFolder(int fd);

uint64_t SizeOfEntries(DIR* dir) {
  uint64_t total = 0;
  const int fd = ::dirfd(dir);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info{};
    if (::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
    if (S_ISDIR(info.st_mode)) {
      const int child = ::openat(fd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (child < 0) ThrowFileError(errno, EPathRole::Folder);
      total += SizeOfOpenFolder(child);
    } else if (S_ISREG(info.st_mode)) {
      total += static_cast<uint64_t>(info.st_size);
    }
  }
  return total;
}

uint64_t SizeOfOpenFolder(int fd) {
  COpenFolder folder(fd);
  if (folder.Get() == nullptr) ThrowFileError(errno, EPathRole::Folder);
  return SizeOfEntries(folder.Get());
}

}  // namespace

double AutomationDateFromUnix(int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (::localtime_r(&time, &local) == nullptr) return 0;
  int64_t days = DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  if (days < kFirstDay) return static_cast<double>(kFirstDay);
  if (days > kLastDay) days = kLastDay;
  const double fraction =
      static_cast<double>(int64_t{local.tm_hour} * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59)) /
      kSecondsPerDay;
  // Before 1899-12-30 the day counts down while the time of day still counts up.
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<CFileFacts> CFileFacts::Read(const std::string& hostPath, int& errorCode) {
  struct statx own{};
  if (!StatPath(hostPath, AT_SYMLINK_NOFOLLOW, own)) {
    errorCode = errno;
    return std::nullopt;
  }
  CFileFacts facts;
  facts.m_link = S_ISLNK(own.stx_mode);
  struct statx target{};
  const struct statx& info = facts.m_link && StatPath(hostPath, 0, target) ? target : own;
  facts.m_folder = S_ISDIR(info.stx_mode);
  facts.m_mode = info.stx_mode;
  facts.m_size = info.stx_size;
  const bool hasBirth = (info.stx_mask & STATX_BTIME) != 0 && info.stx_btime.tv_sec != 0;
  facts.m_created = AutomationDateFromUnix(hasBirth ? info.stx_btime.tv_sec : info.stx_ctime.tv_sec);
  facts.m_accessed = AutomationDateFromUnix(info.stx_atime.tv_sec);
  facts.m_modified = AutomationDateFromUnix(info.stx_mtime.tv_sec);
  return facts;
}

int32_t CFileFacts::Attributes(std::u16string_view name) const {
  int32_t attributes = 0;
  if ((m_mode & S_IWUSR) == 0) attributes |= attr::ReadOnly;
  if (!name.empty() && name[0] == u'.') attributes |= attr::Hidden;
  attributes |= m_folder ? attr::Directory : attr::Archive;
  if (m_link) attributes |= attr::Alias;
  return attributes;
}

uint64_t FolderTreeSize(const std::string& hostPath) {
  const int fd = ::open(hostPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) ThrowFileError(errno, EPathRole::Folder);
  return SizeOfOpenFolder(fd);
}

int SetReadOnly(const std::string& hostPath, bool readOnly) {
  struct stat info{};
  if (::stat(hostPath.c_str(), &info) != 0) return errno;
  const mode_t writeBits = S_IWUSR | S_IWGRP | S_IWOTH;
  const mode_t mode = readOnly ? (info.st_mode & ~writeBits) : (info.st_mode | S_IWUSR);
  if ((mode & 07777) == (info.st_mode & 07777)) return 0;
  return ::chmod(hostPath.c_str(), mode & 07777) == 0 ? 0 : errno;
}

}  // namespace quillet::engine
