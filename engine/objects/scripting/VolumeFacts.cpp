#include "engine/objects/scripting/VolumeFacts.h"

#include <sys/statvfs.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/FileBytes.h"
#include "platform/TextConvert.h"

namespace quillet::engine {
namespace {

// mountinfo writes a space, tab, newline and backslash in a path as three octal digits.
std::string UnescapeMountPath(std::string_view field) {
  const auto isOctal = [&field](size_t at) { return field[at] >= '0' && field[at] <= '7'; };
  std::string path;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
      path += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      path += field[i];
    }
  }
  return path;
}

bool HoldsPath(std::string_view mountPoint, std::string_view path) {
  if (mountPoint == "/") return true;
  return path.substr(0, mountPoint.size()) == mountPoint &&
         (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

}  // namespace

std::string CVolumeFacts::MountTypeOf(std::string_view mountInfo, std::string_view realPath) {
  std::string bestType;
  size_t bestLength = 0;
  bool found = false;
  while (!mountInfo.empty()) {
    size_t end = mountInfo.find('\n');
    if (end == std::string_view::npos) end = mountInfo.size();
    const std::string_view line = mountInfo.substr(0, end);
    mountInfo.remove_prefix(end < mountInfo.size() ? end + 1 : end);
    // id parent major:minor root mount-point options [optional fields] - type source options
    size_t at = 0;
    std::string_view fields[5];
    for (int i = 0; i < 5 && at <= line.size(); ++i) {
      size_t space = line.find(' ', at);
      if (space == std::string_view::npos) space = line.size();
      fields[i] = line.substr(at, space - at);
      at = space + 1;
    }
    const size_t separator = line.find(" - ");
    if (separator == std::string_view::npos) continue;
    const std::string_view afterSeparator = line.substr(separator + 3);
    const std::string_view type = afterSeparator.substr(0, afterSeparator.find(' '));
    const std::string mountPoint = UnescapeMountPath(fields[4]);
    if (mountPoint.empty() || !HoldsPath(mountPoint, realPath)) continue;
    // Later lines stack over earlier ones on the same mount point.
    if (!found || mountPoint.size() >= bestLength) {
      bestType = type;
      bestLength = mountPoint.size();
      found = true;
    }
  }
  return bestType;
}

std::u16string CVolumeFacts::WindowsFileSystemName(std::string_view linuxType) {
  if (linuxType == "vfat" || linuxType == "msdos") return u"FAT32";
  if (linuxType == "ntfs" || linuxType == "ntfs3" || linuxType == "fuseblk") return u"NTFS";
  if (linuxType == "iso9660") return u"CDFS";
  if (linuxType.empty()) return u"UNKNOWN";
  std::u16string name = platform::Utf8ToUtf16(linuxType.substr(linuxType.rfind('.') + 1));
  for (char16_t& c : name) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  }
  return name;
}

EDriveType CVolumeFacts::DriveTypeOf(std::string_view linuxType) {
  constexpr std::string_view kRemote[] = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "9p", "fuse.sshfs", "afs", "ceph"};
  for (const std::string_view remote : kRemote) {
    if (linuxType == remote) return EDriveType::Remote;
  }
  if (linuxType == "tmpfs" || linuxType == "ramfs") return EDriveType::RamDisk;
  if (linuxType == "iso9660" || linuxType == "udf") return EDriveType::CDRom;
  if (linuxType == "vfat" || linuxType == "exfat" || linuxType == "msdos") return EDriveType::Removable;
  return EDriveType::Fixed;
}

std::optional<SVolumeFacts> CVolumeFacts::Read(const std::string& hostFolder, int& errorCode) {
  struct statvfs info{};
  if (::statvfs(hostFolder.c_str(), &info) != 0) {
    errorCode = errno;
    return std::nullopt;
  }
  SVolumeFacts facts;
  const uint64_t unit = info.f_frsize != 0 ? info.f_frsize : info.f_bsize;
  facts.totalBytes = uint64_t{info.f_blocks} * unit;
  facts.freeBytes = uint64_t{info.f_bfree} * unit;
  facts.availableBytes = uint64_t{info.f_bavail} * unit;
  facts.serialNumber = static_cast<uint32_t>(info.f_fsid);
  std::string mountInfo;
  std::string realPath = hostFolder;
  if (char* resolved = ::realpath(hostFolder.c_str(), nullptr)) {
    realPath = resolved;
    std::free(resolved);
  }
  const std::string type =
      platform::ReadFileBytes("/proc/self/mountinfo", mountInfo) ? MountTypeOf(mountInfo, realPath) : std::string{};
  facts.fileSystem = WindowsFileSystemName(type);
  facts.driveType = DriveTypeOf(type);
  return facts;
}

}  // namespace quillet::engine
