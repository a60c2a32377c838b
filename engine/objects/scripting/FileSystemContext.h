#pragma once
// What every object that one FileSystemObject hands out shares: the drive map, read once when
// the FileSystemObject was made, and the file operations over it. Folders and files keep it
// alive, so that they still work after the script lets the FileSystemObject go.

#include <memory>

#include "engine/objects/scripting/FileOperations.h"
#include "platform/DriveMap.h"

namespace quillet::engine {

class CFileSystemContext {
 public:
  explicit CFileSystemContext(platform::CDriveMap drives) : m_drives(std::move(drives)), m_operations(m_drives) {}
  CFileSystemContext(const CFileSystemContext&) = delete;
  CFileSystemContext& operator=(const CFileSystemContext&) = delete;

  [[nodiscard]] const platform::CDriveMap& Drives() const { return m_drives; }
  [[nodiscard]] const CFileOperations& Operations() const { return m_operations; }

 private:
  platform::CDriveMap m_drives;
  CFileOperations m_operations;
};

using FileSystemContext = std::shared_ptr<const CFileSystemContext>;

}  // namespace quillet::engine
