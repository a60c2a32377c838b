#include "engine/objects/wmi/DiskDriveProvider.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/SafeArray.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;
using machine::SysAttribute;

constexpr int32_t kRandomAccess = 3;
constexpr int32_t kSupportsWriting = 4;
constexpr int32_t kSupportsRemovableMedia = 7;
// /sys counts a disk's size in 512-byte units whatever its sector size.
constexpr uint64_t kKernelSectorBytes = 512;

std::string ResolvedPath(const std::string& path) {
  char resolved[PATH_MAX] = {};
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

bool IsDriveName(const std::string& name) {
  for (const char* prefix : {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd"}) {
    if (name.rfind(prefix, 0) == 0) return false;
  }
  // An eMMC's boot and replay-protected areas are parts of the one disk, not disks of their own.
  if (name.rfind("mmcblk", 0) != 0) return true;
  return name.find("boot") == std::string::npos && name.find("rpmb") == std::string::npos;
}

// The kernel hides the per-path devices of a multipath NVMe disk; the disk shows once.
bool IsHidden(const std::string& folder) { return SysAttribute(folder + "/hidden").value_or("0") == "1"; }

// How the disk hangs off the machine, read from where the kernel placed its device.
std::string InterfaceTypeOf(const std::string& devicePath) {
  if (devicePath.find("/usb") != std::string::npos) return "USB";
  if (devicePath.find("/ata") != std::string::npos) return "IDE";
  if (devicePath.find("/ieee1394") != std::string::npos || devicePath.find("/firewire") != std::string::npos) {
    return "1394";
  }
  return "SCSI";  // SCSI, SAS, NVMe and virtual disks all show as SCSI
}

uint32_t CountPartitions(const std::string& diskFolder, const std::string& name) {
  uint32_t count = 0;
  for (const std::string& entry : machine::FolderEntries(diskFolder)) {
    if (entry.rfind(name, 0) == 0 && access((diskFolder + "/" + entry + "/partition").c_str(), F_OK) == 0) ++count;
  }
  return count;
}

CVariant LongArray(std::vector<int32_t> numbers) {
  std::vector<CVariant> values;
  for (const int32_t number : numbers) values.push_back(CVariant::Long(number));
  return CVariant::Array(CSafeArray::FromValues(std::move(values)));
}

void SetIfKnown(SWbemInstance& disk, std::u16string_view property, const std::optional<std::string>& text) {
  if (text) disk.Set(property, Text(*text));
}

void FillFromDevice(SWbemInstance& disk, const std::string& folder) {
  const auto model = SysAttribute(folder + "/device/model");
  SetIfKnown(disk, u"Model", model);
  disk.Set(u"Caption", model ? Text(*model) : CVariant::Null());
  // A vendor read as a number ("0x1af4") is a bus id, not a maker's name.
  if (const auto vendor = SysAttribute(folder + "/device/vendor"); vendor && vendor->rfind("0x", 0) != 0) {
    disk.Set(u"Manufacturer", Text(*vendor));
  }
  auto serial = SysAttribute(folder + "/device/serial");
  if (!serial) serial = SysAttribute(folder + "/serial");
  SetIfKnown(disk, u"SerialNumber", serial);
  auto firmware = SysAttribute(folder + "/device/rev");
  if (!firmware) firmware = SysAttribute(folder + "/device/firmware_rev");
  SetIfKnown(disk, u"FirmwareRevision", firmware);
}

void FillSizes(SWbemInstance& disk, const std::string& folder) {
  const auto sectors = SysAttribute(folder + "/size");
  if (!sectors) return;
  const uint64_t bytes = std::strtoull(sectors->c_str(), nullptr, 10) * kKernelSectorBytes;
  const std::string sectorText = SysAttribute(folder + "/queue/logical_block_size").value_or("512");
  uint64_t sectorBytes = std::strtoull(sectorText.c_str(), nullptr, 10);
  if (sectorBytes == 0) sectorBytes = kKernelSectorBytes;
  disk.Set(u"Size", Uint64(bytes));
  disk.Set(u"BytesPerSector", Uint32(static_cast<uint32_t>(sectorBytes)));
  disk.Set(u"TotalSectors", Uint64(bytes / sectorBytes));
  disk.Set(u"MediaLoaded", CVariant::Boolean(bytes > 0));
}

}  // namespace

void CDiskDriveProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const CVariant host = Text(machine::HostName());
  uint32_t index = 0;
  for (const std::string& name : machine::FolderEntries(m_sysRoot + "/block")) {
    const std::string folder = m_sysRoot + "/block/" + name;
    const std::string devicePath = ResolvedPath(folder + "/device");
    if (!IsDriveName(name) || devicePath.empty() || IsHidden(folder)) continue;  // no device: a virtual one
    auto disk = std::make_shared<SWbemInstance>(cls);
    const std::u16string deviceId = u"\\\\.\\PHYSICALDRIVE" + platform::Utf8ToUtf16(std::to_string(index));
    const bool removable = SysAttribute(folder + "/removable").value_or("0") == "1";
    disk->Set(u"DeviceID", Text(deviceId));
    disk->Set(u"Name", Text(deviceId));
    disk->Set(u"Index", Uint32(index));
    disk->Set(u"Description", Text(u"Disk drive"));
    disk->Set(u"InterfaceType", Text(InterfaceTypeOf(devicePath)));
    disk->Set(u"MediaType", Text(removable ? u"Removable Media" : u"Fixed hard disk media"));
    disk->Set(u"Capabilities", removable ? LongArray({kRandomAccess, kSupportsWriting, kSupportsRemovableMedia})
                                         : LongArray({kRandomAccess, kSupportsWriting}));
    disk->Set(u"Partitions", Uint32(CountPartitions(folder, name)));
    disk->Set(u"Status", Text(u"OK"));
    disk->Set(u"CreationClassName", Text(u"Win32_DiskDrive"));
    disk->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    disk->Set(u"SystemName", host);
    FillFromDevice(*disk, folder);
    FillSizes(*disk, folder);
    out.push_back(std::move(disk));
    ++index;
  }
}

}  // namespace quillet::engine
