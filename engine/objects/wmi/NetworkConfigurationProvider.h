#pragma once
// Win32_NetworkAdapterConfiguration: one instance per network interface other than loopback,
// with its addresses (getifaddrs), hardware address and MTU (/sys/class/net), default gateway
// (/proc/net/route) and name servers (/etc/resolv.conf).

#include "engine/objects/wmi/WbemProvider.h"

namespace quillet::engine {

class CNetworkConfigurationProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

}  // namespace quillet::engine
