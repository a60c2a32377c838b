#include "platform/PathSpelling.h"

#include <dirent.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <strings.h>

namespace quillet::platform {
namespace {

// The entry of folder whose name equals name ignoring ASCII case; name itself when it exists
// exactly as given or nothing matches.
std::string StoredName(const std::string& folder, const std::string& name) {
  struct stat info{};
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return name;
  std::string found = name;
  std::string exact = folder == "/" ? "/" + name : folder + "/" + name;
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

}  // namespace

std::string OnDiskSpelling(const std::string& path) {
  if (path.empty() || path.size() >= PATH_MAX) return path;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
  if (error) return path;
  std::string result = "/";
  for (const auto& component : absolute.relative_path()) {
    const std::string name = component.string();
    if (name.empty()) continue;
    const std::string spelled = StoredName(result, name);
    result = result == "/" ? "/" + spelled : result + "/" + spelled;
  }
  return result;
}

}  // namespace quillet::platform
