#pragma once
// Win32_LogicalDisk as scripts know the disks: one per letter of the drive map, named "C:",
// "Z:" as FileSystemObject names its drives, with the same sizes, file system, serial number
// and drive type that its Drive objects report for the folder behind the letter; then the
// mounted file systems that no letter stands for, under their folder's name.

#include "engine/objects/wmi/LogicalDiskProvider.h"

namespace quillet::engine {

class CDriveLetterDiskProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  CLogicalDiskProvider m_mounts;
};

}  // namespace quillet::engine
