#include "engine/objects/wmi/MountTable.h"

#include <set>
#include <sstream>

#include "engine/objects/wmi/MachineFiles.h"

namespace quillet::engine::machine {

namespace {

// /proc/mounts writes space, tab, newline and backslash in octal: "\040".
std::string Unescaped(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string octal = field.substr(i + 1, 3);
      if (octal.find_first_not_of("01234567") == std::string::npos) {
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
  const std::string folder = "/sys/class/block/" + name;
  for (const std::string& path : {folder + "/removable", folder + "/../removable"}) {
    if (const auto flag = ReadSmallFile(path)) return !flag->empty() && (*flag)[0] == '1';
  }
  return false;
}

int32_t DriveTypeOf(const std::string& device, const std::string& type) {
  if (IsNetworkType(type)) return kNetworkDrive;
  if (device.rfind("/dev/sr", 0) == 0 || type == "iso9660" || type == "udf") return kOpticalDrive;
  return IsRemovableDevice(device) ? kRemovableDrive : kLocalDrive;
}

}  // namespace

std::vector<SMount> ParseMounts(const std::string& mountsText) {
  std::vector<SMount> mounts;
  std::set<std::string> seen;
  std::istringstream lines(mountsText);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    SMount mount;
    if (!(fields >> mount.device >> mount.mountPoint >> mount.type)) continue;
    mount.device = Unescaped(mount.device);
    mount.mountPoint = Unescaped(mount.mountPoint);
    if (mount.device.rfind("/dev/", 0) != 0 && !IsNetworkType(mount.type)) continue;
    if (!seen.insert(mount.mountPoint).second) continue;  // mounted over: the folder names one file system
    mount.driveType = DriveTypeOf(mount.device, mount.type);
    mounts.push_back(std::move(mount));
  }
  return mounts;
}

std::vector<SMount> DataMounts() {
  const auto text = ReadSmallFile("/proc/mounts");
  return text ? ParseMounts(*text) : std::vector<SMount>{};
}

}  // namespace quillet::engine::machine
