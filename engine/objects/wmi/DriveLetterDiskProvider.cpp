#include "engine/objects/wmi/DriveLetterDiskProvider.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "engine/objects/scripting/VolumeFacts.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/DriveMap.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The service numbers drive types one above FileSystemObject, from "no root folder" (1).
int32_t ServiceDriveType(EDriveType type) {
  return type == EDriveType::Unknown ? 0 : static_cast<int32_t>(type) + 1;
}

std::u16string_view DescriptionOf(int32_t driveType) {
  switch (driveType) {
    case 2: return u"Removable Disk";
    case 4: return u"Network Connection";
    case 5: return u"CD-ROM Disc";
    case 6: return u"RAM Disk";
    default: return u"Local Fixed Disk";
  }
}

// The folder is a mount point when its device differs from its parent's, or it is the root.
bool IsMountPoint(const std::string& folder) {
  struct stat self{}, parent{};
  if (stat(folder.c_str(), &self) != 0) return false;
  if (folder == "/") return true;
  return stat((folder + "/..").c_str(), &parent) == 0 && (self.st_dev != parent.st_dev || self.st_ino == parent.st_ino);
}

constexpr int32_t kLocalDisk = 3;
constexpr int32_t kFixedMedia = 12;

// What the volume behind a ready drive tells, as FileSystemObject's Drive tells it.
void FillFromVolume(SWbemInstance& disk, const std::string& folder, const SVolumeFacts& facts) {
  const int32_t driveType = ServiceDriveType(facts.driveType);
  disk.Set(u"DriveType", CVariant::Long(driveType));
  disk.Set(u"Description", Text(DescriptionOf(driveType)));
  if (driveType == kLocalDisk) disk.Set(u"MediaType", CVariant::Long(kFixedMedia));
  disk.Set(u"FileSystem", Text(facts.fileSystem));
  disk.Set(u"Size", Uint64(facts.totalBytes));
  disk.Set(u"FreeSpace", Uint64(facts.freeBytes));
  char serial[9];
  std::snprintf(serial, sizeof serial, "%08X", facts.serialNumber);
  disk.Set(u"VolumeSerialNumber", Text(std::string_view(serial)));
  struct statvfs sizes{};
  if (statvfs(folder.c_str(), &sizes) == 0) {
    disk.Set(u"MaximumComponentLength", Uint32(static_cast<uint32_t>(sizes.f_namemax)));
    disk.Set(u"Access", CVariant::Long((sizes.f_flag & ST_RDONLY) != 0 ? 1 : 3));
  }
}

// Appends a disk per drive letter; mountPoints receives the mount points that a letter stands
// for (Z: for "/"), which are then not listed again under their folder's name.
void AddLetteredDisks(const platform::SWmiClass& cls, WbemInstances& out, std::set<std::string>& mountPoints) {
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const CVariant host = Text(machine::HostName());
  for (const char16_t letter : drives.Letters()) {
    const std::u16string id{letter, u':'};
    auto disk = std::make_shared<SWbemInstance>(cls);
    disk->Set(u"DeviceID", Text(id));
    disk->Set(u"Name", Text(id));
    disk->Set(u"Caption", Text(id));
    disk->Set(u"CreationClassName", Text(u"Win32_LogicalDisk"));
    disk->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    disk->Set(u"SystemName", host);
    const std::string* folder = drives.FolderOf(letter);
    int error = 0;
    const auto facts = folder != nullptr ? CVolumeFacts::Read(*folder, error) : std::nullopt;
    if (facts) {
      std::error_code ignored;
      const std::string real = std::filesystem::canonical(*folder, ignored).string();
      if (!real.empty() && IsMountPoint(real)) mountPoints.insert(real);
      FillFromVolume(*disk, *folder, *facts);
    } else {
      // A drive whose folder is gone is listed with Null sizes, as Windows lists an empty
      // card reader.
      disk->Set(u"DriveType", CVariant::Long(ServiceDriveType(EDriveType::Unknown)));
    }
    out.push_back(std::move(disk));
  }
}

}  // namespace

void CDriveLetterDiskProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where,
                                         WbemInstances& out) {
  std::set<std::string> covered;
  AddLetteredDisks(cls, out, covered);
  WbemInstances mounts;
  m_mounts.Enumerate(cls, where, mounts);
  for (auto& mount : mounts) {
    const CVariant& folder = mount->Get(u"DeviceID");
    if (folder.IsString() && covered.contains(platform::Utf16ToUtf8(folder.AsString()))) continue;
    out.push_back(std::move(mount));
  }
}

}  // namespace quillet::engine
