#pragma once
// Win32_Processor: one instance per processor package ("physical id" of /proc/cpuinfo), as
// Windows gives one per socket.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CProcessorProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
