#include "engine/objects/wmi/NetworkConfigurationProvider.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"
#include "engine/runtime/SafeArray.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

struct SInterfaceAddresses {
  std::vector<std::string> v4, v4Masks, v6, v6Prefixes;
  bool loopback = false;
};

CVariant TextArray(const std::vector<std::string>& texts) {
  if (texts.empty()) return CVariant::Null();  // the service gives Null, not an empty array
  std::vector<CVariant> values;
  for (const std::string& text : texts) values.push_back(Text(text));
  return CVariant::Array(CSafeArray::FromValues(std::move(values)));
}

std::map<std::string, SInterfaceAddresses> ReadAddresses() {
  std::map<std::string, SInterfaceAddresses> interfaces;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return interfaces;
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    SInterfaceAddresses& entry = interfaces[a->ifa_name];
    entry.loopback = entry.loopback || (a->ifa_flags & IFF_LOOPBACK) != 0;
    if (a->ifa_addr == nullptr) continue;
    char text[INET6_ADDRSTRLEN] = {};
    if (a->ifa_addr->sa_family == AF_INET) {
      inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a->ifa_addr)->sin_addr, text, sizeof text);
      entry.v4.push_back(text);
      char mask[INET_ADDRSTRLEN] = {};
      if (a->ifa_netmask != nullptr) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a->ifa_netmask)->sin_addr, mask, sizeof mask);
      }
      entry.v4Masks.push_back(mask);
    } else if (a->ifa_addr->sa_family == AF_INET6) {
      inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(a->ifa_addr)->sin6_addr, text, sizeof text);
      entry.v6.push_back(text);
      int prefix = 0;
      if (a->ifa_netmask != nullptr) {
        for (const uint8_t byte : reinterpret_cast<const sockaddr_in6*>(a->ifa_netmask)->sin6_addr.s6_addr) {
          prefix += std::popcount(byte);
        }
      }
      entry.v6Prefixes.push_back(std::to_string(prefix));
    }
  }
  freeifaddrs(list);
  return interfaces;
}

// Default routes of /proc/net/route: interface -> gateways, addresses in network order as hex.
std::map<std::string, std::vector<std::string>> DefaultGateways() {
  std::map<std::string, std::vector<std::string>> gateways;
  std::istringstream lines(machine::ReadSmallFile("/proc/net/route").value_or(std::string()));
  std::string line;
  std::getline(lines, line);  // the heading
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string name, destination, gateway;
    if (!(fields >> name >> destination >> gateway) || destination != "00000000") continue;
    in_addr address{};
    address.s_addr = static_cast<in_addr_t>(std::strtoul(gateway.c_str(), nullptr, 16));
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    gateways[name].push_back(text);
  }
  return gateways;
}

std::vector<std::string> NameServers(std::vector<std::string>& searchDomains) {
  std::vector<std::string> servers;
  std::istringstream lines(machine::ReadSmallFile("/etc/resolv.conf").value_or(std::string()));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string keyword, value;
    fields >> keyword;
    if (keyword == "nameserver" && fields >> value) servers.push_back(value);
    if (keyword == "search") {
      while (fields >> value) searchDomains.push_back(value);
    }
  }
  return servers;
}

std::string SysNetField(const std::string& name, const char* field) {
  std::string value = machine::ReadSmallFile("/sys/class/net/" + name + "/" + field).value_or(std::string());
  while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back()))) value.pop_back();
  return value;
}

}  // namespace

void CNetworkConfigurationProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*,
                                              WbemInstances& out) {
  const auto interfaces = ReadAddresses();
  const auto gateways = DefaultGateways();
  std::vector<std::string> searchDomains;
  const std::vector<std::string> servers = NameServers(searchDomains);
  const std::string host = machine::HostName();
  for (const auto& [name, addresses] : interfaces) {
    if (addresses.loopback) continue;
    auto adapter = std::make_shared<SWbemInstance>(cls);
    const std::string index = SysNetField(name, "ifindex");
    const auto number = static_cast<uint32_t>(std::strtoul(index.c_str(), nullptr, 10));
    adapter->Set(u"Index", Uint32(number));
    adapter->Set(u"InterfaceIndex", Uint32(number));
    adapter->Set(u"Description", Text(name));
    adapter->Set(u"Caption", Text("[" + index + "] " + name));
    adapter->Set(u"ServiceName", Text(name));
    adapter->Set(u"SettingID", Text(name));
    std::string mac = SysNetField(name, "address");
    std::transform(mac.begin(), mac.end(), mac.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
    if (!mac.empty() && mac != "00:00:00:00:00:00") adapter->Set(u"MACAddress", Text(mac));
    const std::string mtu = SysNetField(name, "mtu");
    if (!mtu.empty()) adapter->Set(u"MTU", Uint32(static_cast<uint32_t>(std::strtoul(mtu.c_str(), nullptr, 10))));
    std::vector<std::string> all = addresses.v4;
    all.insert(all.end(), addresses.v6.begin(), addresses.v6.end());
    std::vector<std::string> subnets = addresses.v4Masks;
    subnets.insert(subnets.end(), addresses.v6Prefixes.begin(), addresses.v6Prefixes.end());
    const bool enabled = !all.empty();
    adapter->Set(u"IPEnabled", CVariant::Boolean(enabled));
    adapter->Set(u"IPAddress", TextArray(all));
    adapter->Set(u"IPSubnet", TextArray(subnets));
    if (const auto found = gateways.find(name); found != gateways.end()) {
      adapter->Set(u"DefaultIPGateway", TextArray(found->second));
    }
    if (enabled) {
      adapter->Set(u"DNSServerSearchOrder", TextArray(servers));
      adapter->Set(u"DNSDomainSuffixSearchOrder", TextArray(searchDomains));
      adapter->Set(u"DNSHostName", Text(host.substr(0, host.find('.'))));
    }
    out.push_back(std::move(adapter));
  }
}

}  // namespace quillet::engine
