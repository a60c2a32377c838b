#include "engine/objects/scripting/PathNames.h"

#include <random>

#include "platform/ScriptPath.h"

namespace quillet::engine {
namespace {

using platform::IsPathSeparator;

[[nodiscard]] bool IsDriveLetterRoot(std::u16string_view path) {
  return path.size() >= 2 && path[1] == u':' &&
         ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

[[nodiscard]] size_t NameEnd(std::u16string_view path, size_t from) {
  while (from < path.size() && !IsPathSeparator(path[from])) ++from;
  return from;
}

[[nodiscard]] bool IsNetworkPath(std::u16string_view path) {
  return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

// "\\server\share" without the separator that may follow; 0 when the share is missing.
[[nodiscard]] size_t NetworkRootEnd(std::u16string_view path) {
  const size_t serverEnd = NameEnd(path, 2);
  if (serverEnd == 2 || serverEnd >= path.size()) return 0;
  const size_t shareEnd = NameEnd(path, serverEnd + 1);
  return shareEnd > serverEnd + 1 ? shareEnd : 0;
}

// The length of the path's root with the separator that follows it: "C:\" 3, "C:" 2, "\" 1,
// "\\server\share\" 15; 0 for a relative path.
[[nodiscard]] size_t RootLength(std::u16string_view path) {
  if (IsDriveLetterRoot(path)) return path.size() > 2 && IsPathSeparator(path[2]) ? 3 : 2;
  if (IsNetworkPath(path)) {
    const size_t end = NetworkRootEnd(path);
    if (end == 0) return 2;
    return end < path.size() ? end + 1 : end;
  }
  return !path.empty() && IsPathSeparator(path[0]) ? 1 : 0;
}

// [start, end) of the last name; empty when the path is only a root.
void LastName(std::u16string_view path, size_t& start, size_t& end) {
  const size_t root = RootLength(path);
  end = path.size();
  while (end > root && IsPathSeparator(path[end - 1])) --end;
  start = end;
  while (start > root && !IsPathSeparator(path[start - 1])) --start;
}

}  // namespace

std::u16string BuildPath(std::u16string_view path, std::u16string_view name) {
  if (path.empty()) return std::u16string(name);
  if (name.empty()) return std::u16string(path);
  std::u16string joined(path);
  const bool pathEnds = IsPathSeparator(path.back());
  const bool nameStarts = IsPathSeparator(name.front());
  if (pathEnds && nameStarts) {
    name.remove_prefix(1);
  } else if (!pathEnds && !nameStarts && !(path.size() == 2 && IsDriveLetterRoot(path))) {
    joined += u'\\';
  }
  joined += name;
  return joined;
}

std::u16string GetDriveName(std::u16string_view path) {
  if (IsDriveLetterRoot(path)) return std::u16string(path.substr(0, 2));
  if (IsNetworkPath(path)) return std::u16string(path.substr(0, NetworkRootEnd(path)));
  return {};
}

std::u16string GetParentFolderName(std::u16string_view path) {
  const size_t root = RootLength(path);
  size_t start = 0, end = 0;
  LastName(path, start, end);
  if (end == start) return {};
  size_t cut = start;
  while (cut > root && IsPathSeparator(path[cut - 1])) --cut;
  // A network root reads without its separator, as GetDriveName gives it.
  if (cut == root && IsNetworkPath(path) && cut > 0 && IsPathSeparator(path[cut - 1])) --cut;
  return std::u16string(path.substr(0, cut));
}

std::u16string GetFileName(std::u16string_view path) {
  size_t start = 0, end = 0;
  LastName(path, start, end);
  return std::u16string(path.substr(start, end - start));
}

std::u16string GetBaseName(std::u16string_view path) {
  std::u16string name = GetFileName(path);
  const size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos) name.resize(dot);
  return name;
}

std::u16string GetExtensionName(std::u16string_view path) {
  const std::u16string name = GetFileName(path);
  const size_t dot = name.rfind(u'.');
  return dot == std::u16string::npos ? std::u16string{} : name.substr(dot + 1);
}

std::u16string NewTempName() {
  static thread_local std::mt19937 generator{std::random_device{}()};
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string name = u"rad";
  for (int i = 0; i < 5; ++i) name += kHex[generator() % 16];
  return name + u".tmp";
}

}  // namespace quillet::engine
