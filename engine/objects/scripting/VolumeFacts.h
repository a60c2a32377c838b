#pragma once
// What a Drive object reports of the file system behind a drive letter's folder: its sizes
// (statvfs), its kind as Windows would name it, the drive type and a serial number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine {

// Windows' DriveTypeConst.
enum class EDriveType : int32_t { Unknown = 0, Removable = 1, Fixed = 2, Remote = 3, CDRom = 4, RamDisk = 5 };

struct SVolumeFacts {
  uint64_t totalBytes = 0;
  uint64_t freeBytes = 0;       // free to anyone, the superuser's reserve included
  uint64_t availableBytes = 0;  // free to this user
  uint32_t serialNumber = 0;
  std::u16string fileSystem;    // "NTFS", "FAT32", "EXT4", ...
  EDriveType driveType = EDriveType::Fixed;
};

class CVolumeFacts {
 public:
  // The volume holding hostFolder; empty with errorCode set when the folder is not there.
  [[nodiscard]] static std::optional<SVolumeFacts> Read(const std::string& hostFolder, int& errorCode);

  // The type of the mount that holds a path, from a listing in /proc/self/mountinfo's form;
  // empty when no mount point holds it.
  [[nodiscard]] static std::string MountTypeOf(std::string_view mountInfo, std::string_view realPath);
  // A Linux file system type as Windows would call it, and the kind of drive it makes.
  [[nodiscard]] static std::u16string WindowsFileSystemName(std::string_view linuxType);
  [[nodiscard]] static EDriveType DriveTypeOf(std::string_view linuxType);
};

}  // namespace quillet::engine
