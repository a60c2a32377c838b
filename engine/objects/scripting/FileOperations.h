#pragma once
// The file system methods of FileSystemObject over script paths, with Windows' rules: a
// wildcard in the last name of a source works on every match (and an error stops the work at
// that match, what was done staying done); a destination that ends with a separator, or any
// destination of a wildcard source, is an existing folder to put things in; otherwise it names
// the file or folder to make.

#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveMap.h"

namespace quillet::engine {

class CFileOperations {
 public:
  explicit CFileOperations(const platform::CDriveMap& drives) : m_drives(drives) {}

  // The path string made absolute against the process's current folder at the time of asking.
  [[nodiscard]] platform::CScriptPath Absolute(std::u16string_view text) const;
  // The Linux name, or 71 for an unmapped drive, 76 for a network share, 52 for a bad name.
  [[nodiscard]] std::string HostPath(const platform::CScriptPath& path) const;

  // Never an error: a path that cannot be reached does not exist.
  [[nodiscard]] bool FileExists(std::u16string_view text) const;
  [[nodiscard]] bool FolderExists(std::u16string_view text) const;
  // "C", "C:" or "C:\..." with a mapped letter.
  [[nodiscard]] bool DriveExists(std::u16string_view drive) const;

  void CopyFile(std::u16string_view source, std::u16string_view destination, bool overwrite) const;
  void CopyFolder(std::u16string_view source, std::u16string_view destination, bool overwrite) const;
  void MoveFile(std::u16string_view source, std::u16string_view destination) const;
  void MoveFolder(std::u16string_view source, std::u16string_view destination) const;
  // Without force, read-only files (and folders) stop the deletion with 70.
  void DeleteFile(std::u16string_view pattern, bool force) const;
  void DeleteFolder(std::u16string_view pattern, bool force) const;
  // 58 when anything has that name already; 76 when its folder is missing.
  platform::CScriptPath CreateFolder(std::u16string_view text) const;

 private:
  struct SMatch {
    std::string hostPath;
    std::string name;  // the last name on disk
  };
  // What a source names: the one file or folder, or the matches of the wildcards in its last
  // name (none is 53 for files, 76 for folders).
  [[nodiscard]] std::vector<SMatch> Expand(std::u16string_view pattern, bool folders, bool& wildcard) const;
  // The Linux names of each match's destination.
  [[nodiscard]] std::vector<std::string> Destinations(const std::vector<SMatch>& sources,
                                                      std::u16string_view destination, bool intoFolder) const;

  const platform::CDriveMap& m_drives;
};

}  // namespace quillet::engine
