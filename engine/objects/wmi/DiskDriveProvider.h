#pragma once
// Win32_DiskDrive: the whole disks the kernel lists under block/ of /sys, numbered in the order
// of their names as PHYSICALDRIVE0, 1, ... Virtual block devices (loop, zram, device-mapper,
// software RAID) are not drives, and optical drives and floppies have classes of their own.

#include <string>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CDiskDriveProvider : public CWbemProvider {
 public:
  // sysRoot: where /sys is; tests give a folder of their own.
  explicit CDiskDriveProvider(std::string sysRoot = "/sys") : m_sysRoot(std::move(sysRoot)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_sysRoot;
};

}  // namespace quillet::engine
