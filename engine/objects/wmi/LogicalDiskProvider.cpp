#include "engine/objects/wmi/LogicalDiskProvider.h"

#include <sys/statvfs.h>

#include <set>
#include <sstream>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

constexpr int32_t kRemovable = 2;
constexpr int32_t kLocal = 3;
constexpr int32_t kNetwork = 4;
constexpr int32_t kOptical = 5;
constexpr int32_t kFixedMedia = 12;

// /proc/mounts writes space, tab, newline and backslash in octal: "\040".
std::string Unescaped(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.size() == 3 && octal.find_first_not_of("01234567") == std::string::npos) {
        out += static_cast<char>(std::stoi(octal, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool IsNetworkType(const std::string& type) {
  return type.rfind("nfs", 0) == 0 || type == "cifs" || type.rfind("smb", 0) == 0 || type == "fuse.sshfs" ||
         type == "9p";
}

bool IsRemovableDevice(const std::string& device) {
  const std::string name = device.substr(device.rfind('/') + 1);
  for (const std::string& path : {"/sys/class/block/" + name + "/removable", "/sys/class/block/" + name + "/../removable"}) {
    if (const auto flag = machine::ReadSmallFile(path)) return !flag->empty() && (*flag)[0] == '1';
  }
  return false;
}

int32_t DriveTypeOf(const std::string& device, const std::string& type) {
  if (IsNetworkType(type)) return kNetwork;
  if (device.rfind("/dev/sr", 0) == 0 || type == "iso9660" || type == "udf") return kOptical;
  return IsRemovableDevice(device) ? kRemovable : kLocal;
}

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
  const auto mounts = machine::ReadSmallFile("/proc/mounts");
  if (!mounts) return;
  const CVariant host = Text(machine::HostName());
  std::set<std::string> seen;
  std::istringstream lines(*mounts);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    device = Unescaped(device);
    mountPoint = Unescaped(mountPoint);
    if (device.rfind("/dev/", 0) != 0 && !IsNetworkType(type)) continue;
    if (!seen.insert(mountPoint).second) continue;  // mounted over: the folder names one disk
    auto disk = std::make_shared<SWbemInstance>(cls);
    const int32_t driveType = DriveTypeOf(device, type);
    disk->Set(u"DeviceID", Text(mountPoint));
    disk->Set(u"Name", Text(mountPoint));
    disk->Set(u"Caption", Text(mountPoint));
    disk->Set(u"Description", Text(driveType == kNetwork   ? u"Network Connection"
                                   : driveType == kOptical ? u"CD-ROM Disc"
                                   : driveType == kRemovable ? u"Removable Disk"
                                                             : u"Local Fixed Disk"));
    disk->Set(u"DriveType", CVariant::Long(driveType));
    if (driveType == kLocal) disk->Set(u"MediaType", CVariant::Long(kFixedMedia));
    disk->Set(u"FileSystem", Text(type));
    if (driveType == kNetwork) disk->Set(u"ProviderName", Text(device));
    disk->Set(u"CreationClassName", Text(u"Win32_LogicalDisk"));
    disk->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    disk->Set(u"SystemName", host);
    FillSizes(*disk, mountPoint);
    out.push_back(std::move(disk));
  }
}

}  // namespace quillet::engine
