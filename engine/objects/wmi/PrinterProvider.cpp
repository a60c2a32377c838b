#include "engine/objects/wmi/PrinterProvider.h"

#include <cstdlib>
#include <string_view>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The print system's printer-state, and PrinterStatus as Windows numbers it.
constexpr int kPrintSystemIdle = 3, kPrintSystemProcessing = 4, kPrintSystemStopped = 5;
constexpr int32_t kStatusIdle = 3, kStatusPrinting = 4, kStatusStopped = 6, kStatusUnknown = 2;

const std::string* Option(const wsh::SPrinter& printer, std::string_view name) {
  for (const auto& [key, value] : printer.options) {
    if (key == name) return &value;
  }
  return nullptr;
}

bool IsNetworkDevice(std::u16string_view port) {
  for (const std::u16string_view scheme : {u"ipp:", u"ipps:", u"http:", u"https:", u"socket:", u"lpd:", u"smb:",
                                           u"dnssd:"}) {
    if (port.substr(0, scheme.size()) == scheme) return true;
  }
  return false;
}

int32_t StatusOf(const std::string* state) {
  const int value = state != nullptr ? std::atoi(state->c_str()) : 0;
  return value == kPrintSystemIdle         ? kStatusIdle
         : value == kPrintSystemProcessing ? kStatusPrinting
         : value == kPrintSystemStopped    ? kStatusStopped
                                           : kStatusUnknown;
}

void CopyOption(SWbemInstance& instance, std::u16string_view property, const std::string* value) {
  if (value != nullptr && !value->empty()) instance.Set(property, Text(*value));
}

}  // namespace

std::shared_ptr<SWbemInstance> PrinterInstance(const platform::SWmiClass& cls, const wsh::SPrinter& printer) {
  auto instance = std::make_shared<SWbemInstance>(cls);
  instance->Set(u"DeviceID", Text(printer.name));
  instance->Set(u"Name", Text(printer.name));
  instance->Set(u"Caption", Text(printer.name));
  instance->Set(u"PortName", Text(printer.port));
  instance->Set(u"Default", CVariant::Boolean(printer.isDefault));
  const bool network = IsNetworkDevice(printer.port);
  instance->Set(u"Network", CVariant::Boolean(network));
  instance->Set(u"Local", CVariant::Boolean(!network));
  const std::string* shared = Option(printer, "printer-is-shared");
  if (shared != nullptr) instance->Set(u"Shared", CVariant::Boolean(*shared == "true"));
  if (shared != nullptr && *shared == "true") instance->Set(u"ShareName", Text(printer.name));
  CopyOption(*instance, u"Location", Option(printer, "printer-location"));
  CopyOption(*instance, u"DriverName", Option(printer, "printer-make-and-model"));
  CopyOption(*instance, u"Comment", Option(printer, "printer-info"));
  const std::string* state = Option(printer, "printer-state");
  instance->Set(u"PrinterStatus", CVariant::Long(StatusOf(state)));
  const bool stopped = state != nullptr && std::atoi(state->c_str()) == kPrintSystemStopped;
  instance->Set(u"WorkOffline", CVariant::Boolean(stopped));
  instance->Set(u"CreationClassName", Text(u"Win32_Printer"));
  instance->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
  instance->Set(u"SystemName", Text(machine::HostName()));
  return instance;
}

void CPrinterProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  for (const wsh::SPrinter& printer : wsh::Printers()) out.push_back(PrinterInstance(cls, printer));
}

}  // namespace quillet::engine
