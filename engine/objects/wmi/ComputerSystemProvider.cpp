#include "engine/objects/wmi/ComputerSystemProvider.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <ctime>
#include <string>

#include "engine/objects/wmi/CpuInfo.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The firmware's words for the machine, without the line end; empty when not given.
std::string DmiField(const char* name) {
  std::string value = machine::ReadSmallFile(std::string("/sys/class/dmi/id/") + name).value_or(std::string());
  while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) value.pop_back();
  return value;
}

std::string UserName() {
  const passwd* user = getpwuid(geteuid());
  return user != nullptr && user->pw_name != nullptr ? user->pw_name : std::string();
}

std::string SystemType() {
  utsname system{};
  if (uname(&system) != 0) return {};
  const std::string machineName = system.machine;
  if (machineName == "x86_64") return "x64-based PC";
  if (machineName == "aarch64") return "ARM64-based PC";
  if (machineName.size() == 4 && machineName[0] == 'i' && machineName.substr(2) == "86") return "X86-based PC";
  return machineName;
}

}  // namespace

void CComputerSystemProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  auto cs = std::make_shared<SWbemInstance>(cls);
  const std::string host = machine::HostName();
  const std::string shortName = host.substr(0, host.find('.'));
  cs->Set(u"Name", Text(shortName));
  cs->Set(u"Caption", Text(shortName));
  cs->Set(u"DNSHostName", Text(shortName));
  cs->Set(u"Description", Text(u"AT/AT COMPATIBLE"));
  cs->Set(u"Domain", Text(u"WORKGROUP"));
  cs->Set(u"Workgroup", Text(u"WORKGROUP"));
  cs->Set(u"PartOfDomain", CVariant::Boolean(false));
  cs->Set(u"DomainRole", CVariant::Long(0));
  cs->Set(u"BootupState", Text(u"Normal boot"));
  cs->Set(u"Status", Text(u"OK"));
  cs->Set(u"CreationClassName", Text(u"Win32_ComputerSystem"));
  const std::string vendor = DmiField("sys_vendor");
  const std::string model = DmiField("product_name");
  if (!vendor.empty()) cs->Set(u"Manufacturer", Text(vendor));
  if (!model.empty()) cs->Set(u"Model", Text(model));
  const std::string type = SystemType();
  if (!type.empty()) cs->Set(u"SystemType", Text(type));
  const std::string user = UserName();
  if (!user.empty()) cs->Set(u"UserName", Text(shortName + "\\" + user));
  const auto cpus = machine::ReadCpuInfo();
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  cs->Set(u"NumberOfLogicalProcessors", Uint32(static_cast<uint32_t>(online > 0 ? online : 1)));
  cs->Set(u"NumberOfProcessors", Uint32(static_cast<uint32_t>(machine::PackageCount(cpus))));
  if (const auto info = machine::ReadSmallFile("/proc/meminfo")) {
    if (const auto total = machine::FieldNumber(*info, "MemTotal")) cs->Set(u"TotalPhysicalMemory", Uint64(*total * 1024));
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  cs->Set(u"CurrentTimeZone", CVariant::Integer(static_cast<int16_t>(local.tm_gmtoff / 60)));
  out.push_back(std::move(cs));
}

}  // namespace quillet::engine
