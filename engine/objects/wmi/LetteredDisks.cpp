#include "engine/objects/wmi/LetteredDisks.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdio>
#include <filesystem>

#include "engine/objects/scripting/VolumeFacts.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/DriveMap.h"

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

}  // namespace

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
      // A drive that is not ready (its folder is gone) is listed with Null sizes, as Windows
      // lists an empty card reader.
      std::error_code ignored;
      const std::string real = std::filesystem::canonical(*folder, ignored).string();
      if (!real.empty() && IsMountPoint(real)) mountPoints.insert(real);
      const int32_t driveType = ServiceDriveType(facts->driveType);
      disk->Set(u"DriveType", CVariant::Long(driveType));
      disk->Set(u"Description", Text(DescriptionOf(driveType)));
      if (driveType == 3) disk->Set(u"MediaType", CVariant::Long(12));
      disk->Set(u"FileSystem", Text(facts->fileSystem));
      disk->Set(u"Size", Uint64(facts->totalBytes));
      disk->Set(u"FreeSpace", Uint64(facts->freeBytes));
      char serial[9];
      std::snprintf(serial, sizeof serial, "%08X", facts->serialNumber);
      disk->Set(u"VolumeSerialNumber", Text(std::string_view(serial)));
      struct statvfs sizes{};
      if (statvfs(folder->c_str(), &sizes) == 0) {
        disk->Set(u"MaximumComponentLength", Uint32(static_cast<uint32_t>(sizes.f_namemax)));
        disk->Set(u"Access", CVariant::Long((sizes.f_flag & ST_RDONLY) != 0 ? 1 : 3));
      }
    } else {
      disk->Set(u"DriveType", CVariant::Long(ServiceDriveType(EDriveType::Unknown)));
    }
    out.push_back(std::move(disk));
  }
}

}  // namespace quillet::engine
