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

}  // namespace

void CPhysicalMemoryProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const std::string entries = m_sysRoot + "/firmware/dmi/entries";
  // Entries are named type-number: "17-0" ... "17-10", kept in the tables' order.
  std::vector<std::pair<unsigned long, std::string>> devices;
  for (const std::string& name : machine::FolderEntries(entries)) {
    if (name.rfind("17-", 0) == 0) devices.emplace_back(std::strtoul(name.c_str() + 3, nullptr, 10), name);
  }
  std::sort(devices.begin(), devices.end());
  uint32_t number = 0;
  for (const auto& [order, name] : devices) {
    const auto raw = machine::ReadSmallFile(entries + "/" + name + "/raw");
    const auto device = raw ? machine::ParseMemoryDevice(*raw) : std::nullopt;
    if (!device || device->capacity == 0) continue;  // unreadable, or an empty socket
    auto module = std::make_shared<SWbemInstance>(cls);
    Fill(*module, *device, number++);
    out.push_back(std::move(module));
  }
}

}  // namespace quillet::engine
