#pragma once
// Win32_Volume: the mounted file systems that hold data, with sizes from statvfs, labels from
// /dev/disk/by-label and the drive letter a script reaches each by: a letter of the drive map
// whose folder is the volume's mount folder (Z: for /).

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CVolumeProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
