#include "engine/objects/scripting/FileOperations.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/objects/scripting/FileTransfer.h"
#include "engine/objects/scripting/FolderTree.h"
#include "engine/objects/scripting/NameMatcher.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {
namespace {

using platform::IsPathSeparator;

[[nodiscard]] bool EndsWithSeparator(std::u16string_view text) {
  return !text.empty() && IsPathSeparator(text.back());
}

// The folder part of a pattern (with its separator, so that "C:\" stays a root) and its last name.
void SplitLastName(std::u16string_view pattern, std::u16string_view& folder, std::u16string_view& last) {
  size_t cut = pattern.size();
  while (cut > 0 && !IsPathSeparator(pattern[cut - 1])) --cut;
  if (cut == 0 && pattern.size() >= 2 && pattern[1] == u':') cut = 2;  // "C:*.txt"
  folder = pattern.substr(0, cut);
  last = pattern.substr(cut);
}

[[nodiscard]] bool IsFolderPath(const std::string& hostPath) {
  struct stat info{};
  return ::stat(hostPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

[[nodiscard]] std::string LastHostName(const std::string& hostPath) {
  const size_t slash = hostPath.rfind('/');
  return slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
}

[[nodiscard]] std::string Join(const std::string& folder, const std::string& name) {
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

platform::CScriptPath CFileOperations::Absolute(std::u16string_view text) const {
  return m_drives.Absolute(text, platform::CDriveMap::CurrentFolder());
}

std::string CFileOperations::HostPath(const platform::CScriptPath& path) const {
  return HostPathOrThrow(m_drives, path);
}

bool CFileOperations::FileExists(std::u16string_view text) const {
  if (CNameMatcher::HasWildcards(text)) return false;
  const platform::SHostPath host = m_drives.ToHost(Absolute(text));
  struct stat info{};
  return host.problem == platform::EHostPathProblem::None && ::stat(host.path.c_str(), &info) == 0 &&
         !S_ISDIR(info.st_mode);
}

bool CFileOperations::FolderExists(std::u16string_view text) const {
  if (CNameMatcher::HasWildcards(text)) return false;
  const platform::SHostPath host = m_drives.ToHost(Absolute(text));
  return host.problem == platform::EHostPathProblem::None && IsFolderPath(host.path);
}

bool CFileOperations::DriveExists(std::u16string_view drive) const {
  if (drive.empty() || (drive.size() > 1 && drive[1] != u':')) return false;
  char16_t letter = drive[0];
  if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
  return m_drives.Letters().find(letter) != std::u16string::npos;
}

std::vector<CFileOperations::SMatch> CFileOperations::Expand(std::u16string_view pattern, bool folders,
                                                             bool& wildcard) const {
  std::u16string_view folderText, last;
  SplitLastName(pattern, folderText, last);
  wildcard = CNameMatcher::HasWildcards(last);
  const int noMatch = folders ? err::PathNotFound : err::FileNotFound;
  if (!wildcard) {
    const std::string host = HostPath(Absolute(pattern));
    struct stat info{};
    if (::stat(host.c_str(), &info) != 0) {
      // A link whose target is gone is still a name in its folder, as a file.
      if (errno == ENOENT && !folders && ::lstat(host.c_str(), &info) == 0) return {{host, LastHostName(host)}};
      if (errno == ENOENT) throw CScriptError(MissingPathError(host, !folders));
      ThrowFileError(errno, folders ? EPathRole::Folder : EPathRole::File);
    }
    if (S_ISDIR(info.st_mode) != folders) throw CScriptError(noMatch);
    return {{host, LastHostName(host)}};
  }
  if (CNameMatcher::HasWildcards(folderText)) throw CScriptError(err::BadFileName);
  const std::string folder = HostPath(Absolute(folderText));
  const CNameMatcher matcher(last);
  std::vector<SMatch> matches;
  for (const SFolderEntry& entry : ListFolder(folder)) {
    if (!matcher.Matches(platform::FileNameToText(entry.name))) continue;
    if (entry.isFolder == folders) matches.push_back({Join(folder, entry.name), entry.name});
  }
  if (matches.empty()) throw CScriptError(noMatch);
  return matches;
}

std::vector<std::string> CFileOperations::Destinations(const std::vector<SMatch>& sources,
                                                        std::u16string_view destination, bool intoFolder) const {
  const std::string target = HostPath(Absolute(destination));
  if (!intoFolder) return {target};
  if (!IsFolderPath(target)) throw CScriptError(err::PathNotFound);
  std::vector<std::string> targets;
  targets.reserve(sources.size());
  for (const SMatch& source : sources) targets.push_back(Join(target, source.name));
  return targets;
}

void CFileOperations::CopyFile(std::u16string_view source, std::u16string_view destination, bool overwrite) const {
  bool wildcard = false;
  const std::vector<SMatch> sources = Expand(source, false, wildcard);
  const std::vector<std::string> targets = Destinations(sources, destination, wildcard || EndsWithSeparator(destination));
  for (size_t i = 0; i < sources.size(); ++i) CopyOneFile(sources[i].hostPath, targets[i], overwrite);
}

void CFileOperations::CopyFolder(std::u16string_view source, std::u16string_view destination, bool overwrite) const {
  bool wildcard = false;
  const std::vector<SMatch> sources = Expand(source, true, wildcard);
  const std::vector<std::string> targets = Destinations(sources, destination, wildcard || EndsWithSeparator(destination));
  for (size_t i = 0; i < sources.size(); ++i) CopyTree(sources[i].hostPath, targets[i], overwrite);
}

void CFileOperations::MoveFile(std::u16string_view source, std::u16string_view destination) const {
  bool wildcard = false;
  const std::vector<SMatch> sources = Expand(source, false, wildcard);
  const std::vector<std::string> targets = Destinations(sources, destination, wildcard || EndsWithSeparator(destination));
  for (size_t i = 0; i < sources.size(); ++i) MoveOneFile(sources[i].hostPath, targets[i]);
}

void CFileOperations::MoveFolder(std::u16string_view source, std::u16string_view destination) const {
  bool wildcard = false;
  const std::vector<SMatch> sources = Expand(source, true, wildcard);
  const std::vector<std::string> targets = Destinations(sources, destination, wildcard || EndsWithSeparator(destination));
  for (size_t i = 0; i < sources.size(); ++i) MoveTree(sources[i].hostPath, targets[i]);
}

void CFileOperations::DeleteFile(std::u16string_view pattern, bool force) const {
  // Windows looks a name with a trailing separator up as a folder's contents, and finds no file.
  if (EndsWithSeparator(pattern)) throw CScriptError(err::FileNotFound);
  bool wildcard = false;
  for (const SMatch& match : Expand(pattern, false, wildcard)) {
    struct stat info{};
    if (::lstat(match.hostPath.c_str(), &info) != 0) ThrowFileError(errno, EPathRole::File);
    if (!force && !S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0) throw CScriptError(err::PermissionDenied);
    if (::unlink(match.hostPath.c_str()) != 0) ThrowFileError(errno, EPathRole::File);
  }
}

void CFileOperations::DeleteFolder(std::u16string_view pattern, bool force) const {
  if (EndsWithSeparator(pattern)) throw CScriptError(err::PathNotFound);
  // A root is never removed, whatever names it: "C:" alone is the current folder of C:, "Z:\.."
  // is the root of everything.
  if (Absolute(pattern).IsRoot()) throw CScriptError(err::PermissionDenied);
  bool wildcard = false;
  for (const SMatch& match : Expand(pattern, true, wildcard)) RemoveTree(match.hostPath, force);
}

platform::CScriptPath CFileOperations::CreateFolder(std::u16string_view text) const {
  platform::CScriptPath path = Absolute(text);
  const std::string host = HostPath(path);
  if (PathIsTaken(host)) throw CScriptError(err::FileAlreadyExists);
  if (::mkdir(host.c_str(), 0777) != 0) ThrowFileError(errno, EPathRole::Folder);
  return path;
}

}  // namespace quillet::engine
