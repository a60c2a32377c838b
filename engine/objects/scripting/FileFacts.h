#pragma once
// What a script learns of one file or folder: Windows' attributes, the three dates as
// Automation dates in local time, the size. Read in one go, so that the facts agree.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine {

// Windows' file attribute bits, as the FileAttribute enumeration numbers them.
namespace attr {
inline constexpr int32_t ReadOnly = 1;
inline constexpr int32_t Hidden = 2;
inline constexpr int32_t System = 4;
inline constexpr int32_t Directory = 16;
inline constexpr int32_t Archive = 32;
inline constexpr int32_t Alias = 1024;
}  // namespace attr

class CFileFacts {
 public:
  // The facts of a path, symbolic links followed (a link whose target is gone gives the link's
  // own); empty with errorCode set when there is nothing there.
  [[nodiscard]] static std::optional<CFileFacts> Read(const std::string& hostPath, int& errorCode);

  [[nodiscard]] bool IsFolder() const { return m_folder; }
  // Read-only when the owner may not write; Hidden for a name with a leading dot; Archive on
  // every file, as Windows keeps it set on files that programs write; Alias for a link.
  [[nodiscard]] int32_t Attributes(std::u16string_view name) const;
  // The birth time where the file system keeps one, else the time of the last status change.
  [[nodiscard]] double DateCreated() const { return m_created; }
  [[nodiscard]] double DateLastAccessed() const { return m_accessed; }
  [[nodiscard]] double DateLastModified() const { return m_modified; }
  // A file's length in bytes (a folder's own entry for a folder: see FolderTreeSize).
  [[nodiscard]] uint64_t Size() const { return m_size; }
  [[nodiscard]] mode_t Mode() const { return m_mode; }

 private:
  bool m_folder = false;
  bool m_link = false;
  mode_t m_mode = 0;
  uint64_t m_size = 0;
  double m_created = 0, m_accessed = 0, m_modified = 0;
};

// A time of the Unix clock as an Automation date of the local clock, to the second.
[[nodiscard]] double AutomationDateFromUnix(int64_t seconds);

// The bytes of every file in a folder's tree, links not followed. Throws 70 where a folder
// cannot be listed, as Windows does.
[[nodiscard]] uint64_t FolderTreeSize(const std::string& hostPath);

// Makes a file read-only (no one may write) or writable by its owner; 0 or errno.
[[nodiscard]] int SetReadOnly(const std::string& hostPath, bool readOnly);

}  // namespace quillet::engine
