#pragma once
// Win32_Volume: the mounted file systems that hold data, with sizes from statvfs, labels from
// /dev/disk/by-label and the drive letter a script reaches each by: a letter of the drive map
// whose folder is the volume's mount folder (Z: for /).

#include <string>

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

}  // namespace quillet::engine
