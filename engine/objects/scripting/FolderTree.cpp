#include "engine/objects/scripting/FolderTree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileTransfer.h"
#include "engine/objects/scripting/NameMatcher.h"
#include "engine/objects/scripting/PathNames.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {
namespace {

std::string Join(const std::string& folder, std::string_view name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

// The path with its links and "." and ".." resolved as far as it exists; the rest appended.
std::string RealPathOf(const std::string& path) {
  std::string existing = path;
  std::string rest;
  while (!existing.empty()) {
    if (char* resolved = ::realpath(existing.c_str(), nullptr)) {
      std::string real = resolved;
      std::free(resolved);
      return rest.empty() ? real : Join(real, rest.substr(1));
    }
    const size_t slash = existing.rfind('/');
    if (slash == std::string::npos || slash == 0) break;
    rest = existing.substr(slash) + rest;
    existing.resize(slash);
  }
  return path;
}

bool IsOwnerReadOnly(const struct stat& info) { return (info.st_mode & S_IWUSR) == 0; }

void CopyLink(const std::string& source, const std::string& target) {
  std::string destination(PATH_MAX, '\0');
  const ssize_t length = ::readlink(source.c_str(), destination.data(), destination.size());
  if (length < 0) ThrowFileError(errno, EPathRole::File);
  destination.resize(static_cast<size_t>(length));
  if (PathIsTaken(target)) throw CScriptError(err::FileAlreadyExists);
  if (::symlink(destination.c_str(), target.c_str()) != 0) ThrowFileError(errno, EPathRole::Folder);
}

void CopyTreeInto(const std::string& source, const std::string& target, bool overwrite) {
  struct stat from{};
  if (::stat(source.c_str(), &from) != 0) ThrowFileError(errno, EPathRole::Folder);
  struct stat existing{};
  if (::lstat(target.c_str(), &existing) == 0) {
    if (!S_ISDIR(existing.st_mode)) throw CScriptError(err::FileAlreadyExists);
  } else if (::mkdir(target.c_str(), 0700) != 0) {
    ThrowFileError(errno, EPathRole::Folder);
  }
  for (const SFolderEntry& entry : ListFolder(source)) {
    const std::string child = Join(source, entry.name);
    const std::string to = Join(target, entry.name);
    struct stat info{};
    if (::lstat(child.c_str(), &info) != 0) continue;  // gone meanwhile
    if (S_ISDIR(info.st_mode)) {
      CopyTreeInto(child, to, overwrite);
    } else if (S_ISLNK(info.st_mode)) {
      CopyLink(child, to);
    } else if (S_ISREG(info.st_mode)) {
      CopyOneFile(child, to, overwrite);
    }
  }
  // Last, so that a read-only folder could still be filled.
  [[maybe_unused]] const int ignored = ::chmod(target.c_str(), from.st_mode & 07777);
}

}  // namespace

std::vector<SFolderEntry> ListFolder(const std::string& hostPath) {
  DIR* dir = ::opendir(hostPath.c_str());
  if (dir == nullptr) ThrowFileError(errno, EPathRole::Folder);
  std::vector<SFolderEntry> entries;
  const int fd = ::dirfd(dir);
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info{};
      isFolder = ::fstatat(fd, entry->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
    }
    entries.push_back({std::string(name), isFolder});
  }
  ::closedir(dir);
  std::vector<std::pair<std::u16string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    std::u16string key = platform::FileNameToText(entries[i].name);
    for (char16_t& c : key) c = FoldNameCase(c);
    keys.emplace_back(std::move(key), i);
  }
  std::sort(keys.begin(), keys.end());
  std::vector<SFolderEntry> sorted;
  sorted.reserve(entries.size());
  for (const auto& key : keys) sorted.push_back(std::move(entries[key.second]));
  return sorted;
}

bool IsSameOrInside(const std::string& path, const std::string& folder) {
  const std::string real = RealPathOf(path);
  const std::string realFolder = RealPathOf(folder);
  if (realFolder == "/") return true;
  return real.compare(0, realFolder.size(), realFolder) == 0 &&
         (real.size() == realFolder.size() || real[realFolder.size()] == '/');
}

void CopyTree(const std::string& source, const std::string& target, bool overwrite) {
  struct stat info{};
  if (::stat(source.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) throw CScriptError(err::PathNotFound);
  struct stat existing{};
  if (::lstat(target.c_str(), &existing) == 0 && !S_ISDIR(existing.st_mode)) throw CScriptError(err::FileAlreadyExists);
  if (IsSameOrInside(target, source)) throw CScriptError(err::PermissionDenied);
  CopyTreeInto(source, target, overwrite);
}

void RemoveTree(const std::string& hostPath, bool force) {
  struct stat self{};
  if (::lstat(hostPath.c_str(), &self) != 0) ThrowFileError(errno, EPathRole::Folder);
  // A link to a folder goes as a link: what it points to is not part of this tree.
  if (S_ISLNK(self.st_mode)) {
    if (::unlink(hostPath.c_str()) != 0) ThrowFileError(errno, EPathRole::Folder);
    return;
  }
  if (IsOwnerReadOnly(self)) {
    if (!force) throw CScriptError(err::PermissionDenied);
    // Forced, a read-only folder is opened up as Windows clears the attribute; Linux needs the
    // folder writable to take names out of it.
    [[maybe_unused]] const int ignored = ::chmod(hostPath.c_str(), (self.st_mode | S_IWUSR) & 07777);
  }
  for (const SFolderEntry& entry : ListFolder(hostPath)) {
    const std::string path = Join(hostPath, entry.name);
    struct stat info{};
    if (::lstat(path.c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode)) {
      RemoveTree(path, force);
      continue;
    }
    if (!force && !S_ISLNK(info.st_mode) && IsOwnerReadOnly(info)) throw CScriptError(err::PermissionDenied);
    if (::unlink(path.c_str()) != 0) ThrowFileError(errno, EPathRole::File);
  }
  if (::rmdir(hostPath.c_str()) != 0) ThrowFileError(errno, EPathRole::Folder);
}

void MoveTree(const std::string& source, const std::string& target) {
  struct stat info{};
  if (::lstat(source.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) throw CScriptError(err::PathNotFound);
  if (PathIsTaken(target)) throw CScriptError(err::FileAlreadyExists);
  if (IsSameOrInside(target, source)) throw CScriptError(err::PermissionDenied);
  const int error = RenameWithoutReplacing(source, target);
  if (error == 0) return;
  if (error != EXDEV) ThrowFileError(error, EPathRole::Folder);
  const size_t slash = target.rfind('/');
  const std::string staging = target.substr(0, slash + 1) + "." + platform::Utf16ToUtf8(NewTempName());
  try {
    CopyTreeInto(source, staging, true);
  } catch (...) {
    try {
      RemoveTree(staging, true);
    } catch (const CScriptError&) {
      // The copy's error is the one to report.
    }
    throw;
  }
  const int placed = RenameWithoutReplacing(staging, target);
  if (placed != 0) {
    RemoveTree(staging, true);
    ThrowFileError(placed, EPathRole::Folder);
  }
  RemoveTree(source, true);
}

}  // namespace quillet::engine
