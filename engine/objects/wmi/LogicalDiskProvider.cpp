#include "engine/objects/wmi/LogicalDiskProvider.h"

#include <sys/statvfs.h>

#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/MountTable.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr int32_t kFixedMedia = 12;

void FillSizes(SWbemInstance& disk, const std::string& mountPoint) {
  struct statvfs sizes{};
  if (statvfs(mountPoint.c_str(), &sizes) != 0) return;
  const uint64_t unit = sizes.f_frsize != 0 ? sizes.f_frsize : sizes.f_bsize;
  disk.Set(u"Size", Uint64(static_cast<uint64_t>(sizes.f_blocks) * unit));
  disk.Set(u"FreeSpace", Uint64(static_cast<uint64_t>(sizes.f_bavail) * unit));
  disk.Set(u"BlockSize", Uint64(unit));
  disk.Set(u"NumberOfBlocks", Uint64(static_cast<uint64_t>(sizes.f_blocks)));
  disk.Set(u"MaximumComponentLength", Uint32(static_cast<uint32_t>(sizes.f_namemax)));
  disk.Set(u"Access", CVariant::Long((sizes.f_flag & ST_RDONLY) != 0 ? 1 : 3));
}

}  // namespace

void CLogicalDiskProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const CVariant host = Text(machine::HostName());
  for (const machine::SMount& mount : machine::DataMounts()) {
    const std::string& mountPoint = mount.mountPoint;
    const int32_t driveType = mount.driveType;
    auto disk = std::make_shared<SWbemInstance>(cls);
    disk->Set(u"DeviceID", Text(mountPoint));
    disk->Set(u"Name", Text(mountPoint));
    disk->Set(u"Caption", Text(mountPoint));
    disk->Set(u"Description", Text(driveType == machine::kNetworkDrive     ? u"Network Connection"
                                   : driveType == machine::kOpticalDrive   ? u"CD-ROM Disc"
                                   : driveType == machine::kRemovableDrive ? u"Removable Disk"
                                                                           : u"Local Fixed Disk"));
    disk->Set(u"DriveType", CVariant::Long(driveType));
    if (driveType == machine::kLocalDrive) disk->Set(u"MediaType", CVariant::Long(kFixedMedia));
    disk->Set(u"FileSystem", Text(mount.type));
    if (driveType == machine::kNetworkDrive) disk->Set(u"ProviderName", Text(mount.device));
    disk->Set(u"CreationClassName", Text(u"Win32_LogicalDisk"));
    disk->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    disk->Set(u"SystemName", host);
    FillSizes(*disk, mountPoint);
    out.push_back(std::move(disk));
  }
}

}  // namespace quillet::engine
