#pragma once
// Win32_BIOS: the firmware of this computer as the kernel copies it out of the machine's
// description tables into /sys/class/dmi/id. The serial number is readable only by the
// administrator; for others it is Null. A machine without those tables has no instance.

#include <string>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CBiosProvider : public CWbemProvider {
 public:
  // dmiFolder: where the kernel's copy of the tables is; tests give a folder of their own.
  explicit CBiosProvider(std::string dmiFolder = "/sys/class/dmi/id") : m_dmiFolder(std::move(dmiFolder)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_dmiFolder;
};

}  // namespace quillet::engine
