#include "engine/objects/wmi/ProcessorProvider.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <set>
#include <string>

#include "engine/objects/wmi/CpuInfo.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;
using machine::SCpuRecord;

std::string Field(const SCpuRecord& cpu, const char* name) {
  const auto found = cpu.find(name);
  return found == cpu.end() ? std::string() : found->second;
}

// The architecture numbers Windows gives: 0 x86, 5 ARM, 9 x64, 12 ARM64.
int32_t ArchitectureOf(const std::string& machineName) {
  if (machineName == "x86_64") return 9;
  if (machineName == "aarch64") return 12;
  if (machineName.rfind("arm", 0) == 0) return 5;
  return 0;
}

void FillPackage(SWbemInstance& p, const SCpuRecord& first, uint32_t logical, int32_t architecture, bool wide) {
  const std::string model = Field(first, "model name");
  if (!model.empty()) p.Set(u"Name", Text(model));
  const std::string vendor = Field(first, "vendor_id");
  if (!vendor.empty()) p.Set(u"Manufacturer", Text(vendor));
  const std::string family = Field(first, "cpu family");
  const std::string modelNumber = Field(first, "model");
  const std::string stepping = Field(first, "stepping");
  if (!family.empty()) {
    const std::string caption = std::string(wide ? "Intel64" : "x86") + " Family " + family + " Model " + modelNumber +
                                " Stepping " + stepping;
    p.Set(u"Caption", Text(caption));
    p.Set(u"Description", Text(caption));
  }
  if (!stepping.empty()) p.Set(u"Stepping", Text(stepping));
  const std::string cores = Field(first, "cpu cores");
  p.Set(u"NumberOfCores", Uint32(cores.empty() ? logical : static_cast<uint32_t>(std::strtoul(cores.c_str(), nullptr, 10))));
  p.Set(u"NumberOfLogicalProcessors", Uint32(logical));
  const std::string mhz = Field(first, "cpu MHz");
  if (!mhz.empty()) {
    const auto speed = static_cast<uint32_t>(std::strtod(mhz.c_str(), nullptr) + 0.5);
    p.Set(u"CurrentClockSpeed", Uint32(speed));
    p.Set(u"MaxClockSpeed", Uint32(speed));
  }
  p.Set(u"Architecture", CVariant::Long(architecture));
  p.Set(u"AddressWidth", CVariant::Long(wide ? 64 : 32));
  p.Set(u"DataWidth", CVariant::Long(wide ? 64 : 32));
  p.Set(u"ProcessorType", CVariant::Long(3));
  p.Set(u"Role", Text(u"CPU"));
  p.Set(u"Status", Text(u"OK"));
  p.Set(u"CreationClassName", Text(u"Win32_Processor"));
  p.Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
  p.Set(u"SystemName", Text(machine::HostName()));
}

}  // namespace

void CProcessorProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const auto cpus = machine::ReadCpuInfo();
  utsname system{};
  const std::string machineName = uname(&system) == 0 ? system.machine : "";
  const int32_t architecture = ArchitectureOf(machineName);
  const bool wide = machineName.find("64") != std::string::npos;
  std::set<std::string> packages;
  for (const SCpuRecord& cpu : cpus) packages.insert(Field(cpu, "physical id"));
  size_t index = 0;
  for (const std::string& package : packages) {
    uint32_t logical = 0;
    const SCpuRecord* first = nullptr;
    for (const SCpuRecord& cpu : cpus) {
      if (Field(cpu, "physical id") != package) continue;
      ++logical;
      if (first == nullptr) first = &cpu;
    }
    auto p = std::make_shared<SWbemInstance>(cls);
    const std::string id = "CPU" + std::to_string(index++);
    p->Set(u"DeviceID", Text(id));
    p->Set(u"SocketDesignation", Text(id));
    FillPackage(*p, *first, logical, architecture, wide);
    out.push_back(std::move(p));
  }
}

}  // namespace quillet::engine
