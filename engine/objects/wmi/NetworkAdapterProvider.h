#pragma once
// Win32_NetworkAdapter: the network interfaces of /sys/class/net other than loopback, numbered
// by the kernel's interface index as Win32_NetworkAdapterConfiguration numbers them, so that a
// script can pair an adapter with its configuration by Index.

#include <string>

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CNetworkAdapterProvider : public CWbemProvider {
 public:
  explicit CNetworkAdapterProvider(std::string sysRoot = "/sys") : m_sysRoot(std::move(sysRoot)) {}
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;

 private:
  std::string m_sysRoot;
};

}  // namespace quillet::engine
