#pragma once
// Win32_Process from /proc: one instance per process that can still be read when its turn
// comes; a process that ends during the query is skipped, a file it will not show leaves the
// properties it fills Null.


#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CProcessProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
  // Create (on the class), Terminate (at once, as Windows ends a process) and GetOwner.
  CVariant CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method, std::span<CVariant> args) override;
};

}  // namespace quillet::engine
