#pragma once
// Win32_Volume: the mounted file systems that hold data, with sizes from statvfs, labels from
// /dev/disk/by-label and the drive letter a script reaches each by: a letter of the drive map
// whose folder is the volume's mount folder (Z: for /).

#include <string>
#include <vector>

#include "engine/objects/wmi/MountTable.h"
#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CVolumeProvider : public CWbemProvider {
 public:
  // labelFolder: where udev links each labelled device by its label; tests give one of their own.
  explicit CVolumeProvider(std::string labelFolder = "/dev/disk/by-label") : m_labelFolder(std::move(labelFolder)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_labelFolder;
};

// One mount per file system: a device mounted again elsewhere (a bind mount) is the same volume,
// named by its shortest mount folder; a file mounted over a file (as containers do for their
// host's name and name servers) is no volume at all.
[[nodiscard]] std::vector<machine::SMount> VolumeMounts(std::vector<machine::SMount> mounts);

}  // namespace quillet::engine
