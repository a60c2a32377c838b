#pragma once
// Finds the files (or the folders) a query names, through the drive letters scripts see, and
// makes their CIM_DataFile or Win32_Directory instances: a file or folder by its name, or the
// entries of one folder on one drive or on every drive. Nothing else is ever listed.

#include <sys/stat.h>
#include <sys/types.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/objects/wmi/WbemInstance.h"
#include "platform/DriveMap.h"

namespace quillet::engine {

class CFileFinder {
 public:
  CFileFinder(const platform::SWmiClass& cls, bool folders, WbemInstances& out);

  void AddNamed(std::u16string_view name);
  // drive: "C:", or empty for the folder on every drive; folder: "\Logs\".
  void AddEntriesOf(std::u16string_view drive, std::u16string_view folder);

 private:
  // The properties every file's instance gets, looked up in its class once per query rather
  // than once per file: a folder of thousands of files is listed in a few milliseconds.
  enum class EProperty : size_t {
    Name, Caption, Description, EightDotThreeFileName, Drive, Path, FileName, Extension, FileType, FileSize,
    Version, CreationDate, InstallDate, LastModified, LastAccessed, Hidden, Readable, Writeable, Archive, System,
    Compressed, Encrypted, FSName, Status, CreationClassName, CSCreationClassName, CSName, Count
  };

  void MakePrototype();
  void Put(SWbemInstance& file, EProperty property, CVariant value) const;
  [[nodiscard]] std::shared_ptr<SWbemInstance> InstanceOf(const platform::CScriptPath& path, const std::string& hostPath,
                                                          const struct statx& facts);
  void Add(const platform::CScriptPath& path);
  void ListFolder(const platform::CScriptPath& folder);
  // Windows' name of the file system a file is on, read once per device.
  [[nodiscard]] const std::u16string& FileSystemOf(dev_t device, const std::string& hostPath);

  const platform::SWmiClass& m_cls;
  bool m_folders;
  WbemInstances& m_out;
  platform::CDriveMap m_drives;
  std::string m_current;
  std::map<dev_t, std::u16string> m_fileSystems;
  std::array<int, static_cast<size_t>(EProperty::Count)> m_slots{};  // -1 where the class lacks the property
  std::shared_ptr<SWbemInstance> m_prototype;
};

}  // namespace quillet::engine
