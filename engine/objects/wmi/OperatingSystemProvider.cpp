#include "engine/objects/wmi/OperatingSystemProvider.h"

#include <dirent.h>
#include <sys/utsname.h>

#include <ctime>
#include <string>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemValues.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The family number CIM gives this kind of system.
constexpr int32_t kOsTypeLinux = 36;

uint32_t CountProcesses() {
  uint32_t count = 0;
  if (DIR* proc = opendir("/proc")) {
    while (const dirent* entry = readdir(proc)) {
      count += entry->d_name[0] >= '1' && entry->d_name[0] <= '9' ? 1 : 0;
    }
    closedir(proc);
  }
  return count;
}

void FillMemory(SWbemInstance& os) {
  const std::optional<std::string> info = machine::ReadSmallFile("/proc/meminfo");
  if (!info) return;
  const auto total = machine::FieldNumber(*info, "MemTotal");
  const auto available = machine::FieldNumber(*info, "MemAvailable");
  const auto swapTotal = machine::FieldNumber(*info, "SwapTotal");
  const auto swapFree = machine::FieldNumber(*info, "SwapFree");
  if (total) os.Set(u"TotalVisibleMemorySize", Uint64(*total));
  if (available) os.Set(u"FreePhysicalMemory", Uint64(*available));
  if (swapTotal) os.Set(u"SizeStoredInPagingFiles", Uint64(*swapTotal));
  if (swapFree) os.Set(u"FreeSpaceInPagingFiles", Uint64(*swapFree));
  if (total && swapTotal) os.Set(u"TotalVirtualMemorySize", Uint64(*total + *swapTotal));
  if (available && swapFree) os.Set(u"FreeVirtualMemory", Uint64(*available + *swapFree));
}

void FillNames(SWbemInstance& os) {
  const std::string pretty = machine::OsReleaseField("PRETTY_NAME");
  const std::string caption = pretty.empty() ? "Linux" : pretty;
  os.Set(u"Caption", Text(caption));
  // Windows writes the name, the system folder and the boot partition, separated by "|".
  os.Set(u"Name", Text(caption + "|/|"));
  const std::string vendor = machine::OsReleaseField("NAME");
  if (!vendor.empty()) os.Set(u"Manufacturer", Text(vendor));
  utsname system{};
  if (uname(&system) == 0) {
    os.Set(u"Version", Text(std::string(system.release)));
    os.Set(u"BuildNumber", Text(std::string(system.version)));
    const std::string machineName = system.machine;
    const bool wide = machineName.find("64") != std::string::npos;
    os.Set(u"OSArchitecture", Text(wide ? u"64-bit" : u"32-bit"));
  }
}

}  // namespace

void COperatingSystemProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  auto os = std::make_shared<SWbemInstance>(cls);
  FillNames(*os);
  FillMemory(*os);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  os->Set(u"LocalDateTime", DateTime(now));
  os->Set(u"CurrentTimeZone", CVariant::Integer(static_cast<int16_t>(local.tm_gmtoff / 60)));
  if (const std::time_t boot = machine::BootTime(); boot != 0) os->Set(u"LastBootUpTime", DateTime(boot));
  os->Set(u"CSName", Text(machine::HostName()));
  os->Set(u"NumberOfProcesses", Uint32(CountProcesses()));
  os->Set(u"OSType", CVariant::Long(kOsTypeLinux));
  os->Set(u"Primary", CVariant::Boolean(true));
  os->Set(u"Distributed", CVariant::Boolean(false));
  os->Set(u"Status", Text(u"OK"));
  os->Set(u"CreationClassName", Text(u"Win32_OperatingSystem"));
  os->Set(u"CSCreationClassName", Text(u"Win32_ComputerSystem"));
  out.push_back(std::move(os));
}

}  // namespace quillet::engine
