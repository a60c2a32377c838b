#pragma once
// Win32_LogicalDisk: the file systems of this computer that hold data (block devices and
// network shares, from /proc/mounts), each named by its mount folder, with sizes from statvfs.
// Kernel and memory file systems (proc, sysfs, cgroup, tmpfs) are not disks and are left out.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CLogicalDiskProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
