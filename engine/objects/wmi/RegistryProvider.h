#pragma once
// StdRegProv: the registry of scripts (the same hive files RegRead and RegWrite use, so that a
// value written one way reads back the other) through the class's static methods, with the
// hive numbers scripts pass (&H80000001 HKCU, &H80000002 HKLM, &H80000000 HKCR, read only) and
// the return values scripts test: 0 done, 1 no such value, 2 no such key, 5 refused.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CRegistryProvider : public CWbemProvider {
 public:
  // The class has no instances: scripts call its methods on the class itself.
  void Enumerate(const platform::SWmiClass&, const SWqlCondition*, WbemInstances&) override {}
  CVariant CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method, std::span<CVariant> args) override;
};

}  // namespace quillet::engine
