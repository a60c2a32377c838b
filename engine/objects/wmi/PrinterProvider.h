#pragma once
// Win32_Printer: the printers of the print system (CUPS), through the same list that
// WScript.Network's printer connections read; none when the print system is not installed or
// no print server answers.

#include "engine/objects/wmi/WbemProvider.h"
#include "engine/objects/wsh/PrinterList.h"

namespace quillet::engine {

class CPrinterProvider : public CWbemProvider {
 public:
  void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) override;
};

// The instance that stands for one printer of the print system.
[[nodiscard]] std::shared_ptr<SWbemInstance> PrinterInstance(const platform::SWmiClass& cls,
                                                             const wsh::SPrinter& printer);

}  // namespace quillet::engine
