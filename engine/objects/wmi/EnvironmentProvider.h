#pragma once
// Win32_Environment: the variables kept in the script registry (the keys WScript.Shell's System
// and User environments use), the user's variables of the environment the script runs in, and
// the system's from /etc/environment. A script writes and deletes the registry's variables with
// Put_ and Delete_, as Windows keeps them there.

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CEnvironmentProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
  std::shared_ptr<SWbemInstance> PutInstance(const SWbemInstance& instance) override;
  void DeleteInstance(const SWbemInstance& instance) override;
};

}  // namespace quillet::engine
