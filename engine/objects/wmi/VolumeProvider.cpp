#include "engine/objects/wmi/VolumeProvider.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/MountTable.h"
#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/DriveMap.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

std::string ResolvedPath(const std::string& path) {
  char resolved[PATH_MAX] = {};
  return realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// udev writes characters that cannot stand in a file name as \xHH: "My\x20Disk".
std::string UnescapedLabel(const std::string& name) {
  std::string label;
  for (size_t i = 0; i < name.size(); ++i) {
    const bool escaped = name.compare(i, 2, "\\x") == 0 && i + 3 < name.size() &&
                         std::isxdigit(static_cast<unsigned char>(name[i + 2])) != 0 &&
                         std::isxdigit(static_cast<unsigned char>(name[i + 3])) != 0;
    if (escaped) {
      label += static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16));
      i += 3;
    } else {
      label += name[i];
    }
  }
  return label;
}

// Device (resolved) -> label.
std::map<std::string, std::string> Labels(const std::string& folder) {
  std::map<std::string, std::string> labels;
  for (const std::string& name : machine::FolderEntries(folder)) {
    labels.emplace(ResolvedPath(folder + "/" + name), UnescapedLabel(name));
  }
  return labels;
}

void FillSizes(SWbemInstance& volume, const std::string& mountPoint) {
  struct statvfs sizes{};
  if (statvfs(mountPoint.c_str(), &sizes) != 0) return;
  const uint64_t unit = sizes.f_frsize != 0 ? sizes.f_frsize : sizes.f_bsize;
  volume.Set(u"Capacity", Uint64(static_cast<uint64_t>(sizes.f_blocks) * unit));
  volume.Set(u"FreeSpace", Uint64(static_cast<uint64_t>(sizes.f_bavail) * unit));
  volume.Set(u"BlockSize", Uint64(unit));
  volume.Set(u"NumberOfBlocks", Uint64(static_cast<uint64_t>(sizes.f_blocks)));
  volume.Set(u"MaximumFileNameLength", Uint32(static_cast<uint32_t>(sizes.f_namemax)));
  volume.Set(u"Access", CVariant::Long((sizes.f_flag & ST_RDONLY) != 0 ? 1 : 3));
}

// "Z:\", "Z:\home\": Windows names a volume by its mount path with a closing backslash. A
// folder no letter holds keeps its Linux name, as every other path without a letter does.
std::u16string NameOf(const platform::CDriveMap& drives, const std::string& mountPoint) {
  const platform::CScriptPath path = drives.FromHost(mountPoint);
  std::u16string name = path.Text();
  if (path.Root().empty()) return name;
  if (name.back() != u'\\') name += u'\\';
  return name;
}

CVariant DriveLetterOf(const platform::CDriveMap& drives, const std::string& mountPoint) {
  const char16_t letter = drives.LetterHolding(mountPoint);
  if (letter == 0 || !drives.FromHost(mountPoint).Names().empty()) return CVariant::Null();
  return Text(std::u16string{letter, u':'});
}

}  // namespace

std::vector<machine::SMount> VolumeMounts(std::vector<machine::SMount> mounts) {
  std::erase_if(mounts, [](const machine::SMount& mount) {
    struct stat info{};
    return stat(mount.mountPoint.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
  });
  std::map<std::string, size_t> shortest;  // device -> index of its shortest mount folder
  for (size_t i = 0; i < mounts.size(); ++i) {
    const auto [at, added] = shortest.emplace(mounts[i].device, i);
    if (!added && mounts[i].mountPoint.size() < mounts[at->second].mountPoint.size()) at->second = i;
  }
  std::vector<machine::SMount> volumes;
  for (size_t i = 0; i < mounts.size(); ++i) {
    if (shortest.at(mounts[i].device) == i) volumes.push_back(std::move(mounts[i]));
  }
  return volumes;
}

void CVolumeProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const auto labels = Labels(m_labelFolder);
  const CVariant host = Text(machine::HostName());
  for (const machine::SMount& mount : VolumeMounts(machine::DataMounts())) {
    auto volume = std::make_shared<SWbemInstance>(cls);
    const std::u16string name = NameOf(drives, mount.mountPoint);
    volume->Set(u"DeviceID", Text(mount.mountPoint));
    volume->Set(u"Name", Text(name));
    volume->Set(u"Caption", Text(name));
    volume->Set(u"DriveLetter", DriveLetterOf(drives, mount.mountPoint));
    volume->Set(u"DriveType", CVariant::Long(mount.driveType));
    volume->Set(u"FileSystem", Text(mount.type));
    if (const auto label = labels.find(ResolvedPath(mount.device)); label != labels.end()) {
      volume->Set(u"Label", Text(label->second));
    }
    volume->Set(u"Automount", CVariant::Boolean(true));
    volume->Set(u"BootVolume", CVariant::Boolean(mount.mountPoint == "/"));
    volume->Set(u"CreationClassName", Text(u"Win32_Volume"));
    volume->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    volume->Set(u"SystemName", host);
    FillSizes(*volume, mount.mountPoint);
    out.push_back(std::move(volume));
  }
}

}  // namespace quillet::engine
