#include "platform/PathSpelling.h"

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <strings.h>

namespace quillet::platform {
namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

// The entry of folder whose name equals name ignoring ASCII case; name itself when it exists
// exactly as given or nothing matches.
std::string StoredName(const std::string& folder, const std::string& name) {
  struct stat info{};
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return name;
  std::string found = name;
  const std::string exact = Joined(folder, name);
  bool exists = ::lstat(exact.c_str(), &info) == 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name == name) {
      found = name;
      break;
    }
    if (exists && ::strcasecmp(entry->d_name, name.c_str()) == 0) found = entry->d_name;
  }
  ::closedir(dir);
  return found;
}

// The folder ".." leads to from path. The system resolves a symbolic link before the ".."
// that follows it, so ".." after a link leaves the link's target, not the folder holding the
// link. A last name that is no link is an entry of the folder before it, so dropping it is
// exact and keeps the names the user gave.
std::string ParentOf(std::string path) {
  struct stat info{};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) path = resolved;
  }
  const size_t slash = path.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

}  // namespace

std::string OnDiskSpelling(const std::string& path) {
  if (path.empty() || path.size() >= PATH_MAX) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return path;
  std::string result = "/";
  for (const auto& component : absolute.relative_path()) {
    const std::string name = component.string();
    if (name.empty() || name == ".") continue;
    result = name == ".." ? ParentOf(result) : Joined(result, StoredName(result, name));
  }
  return result;
}

}  // namespace quillet::platform
