#pragma once
// Win32_PhysicalMemory: the memory modules of this computer, read from the memory device
// entries (type 17) of the machine description tables the kernel copies to
// firmware/dmi/entries/ of /sys. Those files are readable only by the administrator; for others
// the memory controllers' list (devices/system/edac/) tells sizes and sockets where the machine
// has one. Where neither tells, there are no instances rather than guessed ones.

#include <string>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CPhysicalMemoryProvider : public CWbemProvider {
 public:
  explicit CPhysicalMemoryProvider(std::string sysRoot = "/sys") : m_sysRoot(std::move(sysRoot)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_sysRoot;
};

}  // namespace quillet::engine
