#include "app/TempFolderCleaner.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <thread>

#include "platform/AppPaths.h"

namespace quillet::app {
namespace {

bool IsRunnerCopyName(const std::string& name) {
  if (name.size() != 12) return false;
  std::string extension = name.substr(8);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".vbs" || extension == ".rtf";
}

}  // namespace

std::string PrepareTemporaryFolder() {
  const std::string path = platform::TempFolderPath();
  std::error_code error;
  std::filesystem::create_directories(path, error);
  if (!error || std::filesystem::exists(path)) return path;
  std::filesystem::create_directories(platform::SystemTempFolder(), error);
  return {};
}

int CleanTemporaryFolder(const std::string& folder, std::chrono::system_clock::time_point now) {
  const auto cutoff = now - std::chrono::hours(24);
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return 0;
  DIR* dir = ::fdopendir(dirFd);
  if (dir == nullptr) {
    ::close(dirFd);
    return 0;
  }
  int deleted = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsRunnerCopyName(name)) continue;
    struct stat info{};
    // Only regular files; a folder or link that happens to have such a name is left alone.
    if (::fstatat(dirFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
      continue;
    }
    const auto modified = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
    if (modified < cutoff && ::unlinkat(dirFd, name.c_str(), 0) == 0) ++deleted;
  }
  ::closedir(dir);
  return deleted;
}

void StartTemporaryFolderCleanup(const std::string& folder) {
  std::thread([folder] { CleanTemporaryFolder(folder, std::chrono::system_clock::now()); })
      .detach();
}

}  // namespace quillet::app
