#include "engine/objects/wmi/NetworkAdapterProvider.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;
using machine::SysAttribute;

// Interface types of the kernel (ARPHRD_*).
constexpr long kEthernetType = 1;
constexpr long kLoopbackType = 772;
constexpr unsigned long kInterfaceUp = 0x1;  // IFF_UP

// NetConnectionStatus values.
constexpr int32_t kDisconnected = 0;
constexpr int32_t kConnected = 2;
constexpr int32_t kMediaDisconnected = 7;

long NumberOf(const std::optional<std::string>& text, int base = 10) {
  return text ? std::strtol(text->c_str(), nullptr, base) : -1;
}

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// Switched off: disconnected; on with a link: connected; on without one: the cable is out.
// "unknown" is what tunnels and some virtual interfaces report while they work; their carrier tells.
int32_t ConnectionStatus(const std::string& folder) {
  const auto flags = static_cast<unsigned long>(NumberOf(SysAttribute(folder + "/flags"), 16));
  if ((flags & kInterfaceUp) == 0) return kDisconnected;
  const std::string state = SysAttribute(folder + "/operstate").value_or("unknown");
  if (state == "up") return kConnected;
  if (state == "unknown" && SysAttribute(folder + "/carrier").value_or("0") == "1") return kConnected;
  return kMediaDisconnected;
}

std::string DriverOf(const std::string& folder) {
  char target[PATH_MAX] = {};
  const ssize_t length = readlink((folder + "/device/driver").c_str(), target, sizeof target - 1);
  if (length <= 0) return {};
  const std::string path(target, static_cast<size_t>(length));
  return path.substr(path.rfind('/') + 1);
}

void FillLink(SWbemInstance& adapter, const std::string& folder) {
  const int32_t status = ConnectionStatus(folder);
  adapter.Set(u"NetConnectionStatus", CVariant::Long(status));
  adapter.Set(u"NetEnabled", CVariant::Boolean(status != kDisconnected));
  // Speed and duplex mean something only while there is a link; the kernel gives -1 otherwise.
  if (const long megabits = NumberOf(SysAttribute(folder + "/speed")); status == kConnected && megabits > 0) {
    adapter.Set(u"Speed", Uint64(static_cast<uint64_t>(megabits) * 1000000));
  }
  if (const auto duplex = SysAttribute(folder + "/duplex"); status == kConnected && duplex && *duplex != "unknown") {
    adapter.Set(u"FullDuplex", CVariant::Boolean(*duplex == "full"));
  }
}

void FillIdentity(SWbemInstance& adapter, const std::string& name, const std::string& folder, long type) {
  adapter.Set(u"Name", Text(name));
  adapter.Set(u"NetConnectionID", Text(name));
  adapter.Set(u"Description", Text(name));
  adapter.Set(u"ServiceName", Text(name));
  if (const std::string driver = DriverOf(folder); !driver.empty()) adapter.Set(u"ProductName", Text(driver));
  adapter.Set(u"PhysicalAdapter", CVariant::Boolean(access((folder + "/device").c_str(), F_OK) == 0));
  if (type == kEthernetType) {
    adapter.Set(u"AdapterType", Text(u"Ethernet 802.3"));
    adapter.Set(u"AdapterTypeId", CVariant::Long(0));
  }
  const std::string mac = Upper(SysAttribute(folder + "/address").value_or(""));
  if (!mac.empty() && mac != "00:00:00:00:00:00") {
    adapter.Set(u"MACAddress", Text(mac));
    adapter.Set(u"PermanentAddress", Text(mac));
  }
}

}  // namespace

void CNetworkAdapterProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const CVariant host = Text(machine::HostName());
  const std::string classFolder = m_sysRoot + "/class/net";
  for (const std::string& name : machine::FolderEntries(classFolder)) {
    const std::string folder = classFolder + "/" + name;
    const long type = NumberOf(SysAttribute(folder + "/type"));
    const long index = NumberOf(SysAttribute(folder + "/ifindex"));
    if (type == kLoopbackType || index < 0) continue;  // loopback, or not an interface
    auto adapter = std::make_shared<SWbemInstance>(cls);
    const std::string number = std::to_string(index);
    adapter->Set(u"DeviceID", Text(number));
    adapter->Set(u"Index", Uint32(static_cast<uint32_t>(index)));
    adapter->Set(u"InterfaceIndex", Uint32(static_cast<uint32_t>(index)));
    adapter->Set(u"Caption", Text("[" + number + "] " + name));
    FillIdentity(*adapter, name, folder, type);
    FillLink(*adapter, folder);
    adapter->Set(u"Availability", CVariant::Long(3));
    adapter->Set(u"CreationClassName", Text(u"Win32_NetworkAdapter"));
    adapter->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
    adapter->Set(u"SystemName", host);
    out.push_back(std::move(adapter));
  }
}

}  // namespace quillet::engine
