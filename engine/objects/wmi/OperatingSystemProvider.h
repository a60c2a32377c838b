#pragma once
// Win32_OperatingSystem: the one instance, from /etc/os-release, uname, /proc/meminfo and
// /proc/stat.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class COperatingSystemProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
