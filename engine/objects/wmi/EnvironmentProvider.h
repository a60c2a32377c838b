#pragma once
// Win32_Environment: the user's variables, from the environment the script runs in, and the
// system's, from /etc/environment.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CEnvironmentProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
