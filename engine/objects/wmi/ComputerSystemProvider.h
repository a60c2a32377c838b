#pragma once
// Win32_ComputerSystem: the one instance, this computer, from its host name, /proc/meminfo,
// /proc/cpuinfo and the firmware's identification in /sys/class/dmi when the kernel gives it.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CComputerSystemProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
