#include "engine/objects/wmi/PhysicalMemoryProvider.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/MemoryDeviceEntry.h"
#include "engine/objects/wmi/SysAttribute.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

void SetText(SWbemInstance& module, std::u16string_view property, const std::string& text) {
  if (!text.empty()) module.Set(property, Text(text));
}

void Fill(SWbemInstance& module, const machine::SMemoryDevice& device, uint32_t number) {
  const std::u16string tag = u"Physical Memory " + platform::Utf8ToUtf16(std::to_string(number));
  module.Set(u"Tag", Text(tag));
  module.Set(u"Name", Text(u"Physical Memory"));
  module.Set(u"Caption", Text(u"Physical Memory"));
  module.Set(u"Description", Text(u"Physical Memory"));
  module.Set(u"CreationClassName", Text(u"Win32_PhysicalMemory"));
  module.Set(u"Capacity", Uint64(device.capacity));
  module.Set(u"FormFactor", CVariant::Long(device.formFactor));
  module.Set(u"SMBIOSMemoryType", Uint32(device.memoryType));
  if (device.dataWidth) module.Set(u"DataWidth", CVariant::Long(*device.dataWidth));
  if (device.speed) module.Set(u"Speed", Uint32(*device.speed));
  SetText(module, u"DeviceLocator", device.deviceLocator);
  SetText(module, u"BankLabel", device.bankLocator);
  SetText(module, u"Manufacturer", device.manufacturer);
  SetText(module, u"SerialNumber", device.serialNumber);
  SetText(module, u"PartNumber", device.partNumber);
}

// The memory device entries of the tables, in the tables' order; empty where they cannot be read.
std::vector<machine::SMemoryDevice> TableModules(const std::string& sysRoot) {
  const std::string entries = sysRoot + "/firmware/dmi/entries";
  // Entries are named type-number: "17-0" ... "17-10", kept in the tables' order.
  std::vector<std::pair<unsigned long, std::string>> devices;
  for (const std::string& name : machine::FolderEntries(entries)) {
    if (name.rfind("17-", 0) == 0) devices.emplace_back(std::strtoul(name.c_str() + 3, nullptr, 10), name);
  }
  std::sort(devices.begin(), devices.end());
  std::vector<machine::SMemoryDevice> modules;
  for (const auto& [order, name] : devices) {
    const auto raw = machine::ReadSmallFile(entries + "/" + name + "/raw");
    const auto device = raw ? machine::ParseMemoryDevice(*raw) : std::nullopt;
    if (device && device->capacity != 0) modules.push_back(*device);  // else unreadable, or an empty socket
  }
  return modules;
}

// The memory types as the machine description tables number them, from the memory controller's
// names ("Unbuffered-DDR4", "Registered-DDR5").
uint8_t TableMemoryType(const std::string& name) {
  static constexpr std::pair<const char*, uint8_t> kTypes[] = {{"DDR5", 34}, {"DDR4", 26}, {"DDR3", 24}, {"DDR2", 19}};
  for (const auto& [text, type] : kTypes) {
    if (name.find(text) != std::string::npos) return type;
  }
  return 2;  // unknown
}

// The memory controllers' own list (edac), readable by every user: what is told where the
// tables are closed to this user. Sizes are in megabytes.
std::vector<machine::SMemoryDevice> ControllerModules(const std::string& sysRoot) {
  std::vector<machine::SMemoryDevice> modules;
  const std::string controllers = sysRoot + "/devices/system/edac/mc";
  for (const std::string& controller : machine::FolderEntries(controllers)) {
    if (controller.rfind("mc", 0) != 0) continue;
    for (const std::string& dimm : machine::FolderEntries(controllers + "/" + controller)) {
      const std::string folder = controllers + "/" + controller + "/" + dimm;
      if (dimm.rfind("dimm", 0) != 0 && dimm.rfind("rank", 0) != 0) continue;
      const std::string size = machine::SysAttribute(folder + "/size").value_or("0");
      const uint64_t megabytes = std::strtoull(size.c_str(), nullptr, 10);
      if (megabytes == 0) continue;
      machine::SMemoryDevice module;
      module.capacity = megabytes << 20;
      module.deviceLocator = machine::SysAttribute(folder + "/dimm_label").value_or("");
      module.bankLocator = machine::SysAttribute(folder + "/dimm_location").value_or("");
      module.memoryType = TableMemoryType(machine::SysAttribute(folder + "/dimm_mem_type").value_or(""));
      modules.push_back(std::move(module));
    }
  }
  return modules;
}

}  // namespace

void CPhysicalMemoryProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  std::vector<machine::SMemoryDevice> modules = TableModules(m_sysRoot);
  if (modules.empty()) modules = ControllerModules(m_sysRoot);
  uint32_t number = 0;
  for (const machine::SMemoryDevice& device : modules) {
    auto module = std::make_shared<SWbemInstance>(cls);
    Fill(*module, device, number++);
    out.push_back(std::move(module));
  }
}

}  // namespace quillet::engine
