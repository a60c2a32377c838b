#include "engine/objects/wmi/WbemProvider.h"

#include "engine/objects/wmi/AccountProvider.h"
#include "engine/objects/wmi/AssociationProviders.h"
#include "engine/objects/wmi/HardwareProviders.h"
#include "engine/objects/wmi/ComputerSystemProvider.h"
#include "engine/objects/wmi/CurrentTimeProvider.h"
#include "engine/objects/wmi/DriveLetterDiskProvider.h"
#include "engine/objects/wmi/EnvironmentProvider.h"
#include "engine/objects/wmi/NetworkConfigurationProvider.h"
#include "engine/objects/wmi/OperatingSystemProvider.h"
#include "engine/objects/wmi/ProcessProvider.h"
#include "engine/objects/wmi/ProcessorProvider.h"
#include "engine/objects/wmi/SoftwareProviders.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

CVariant CWbemProvider::CallMethod(SWbemInstance&, const platform::SWmiMethod& method, std::span<CVariant>) {
  wbem_error::RaiseNotAvailable(u"SWbemObjectEx", method.name);
}

std::shared_ptr<SWbemInstance> CWbemProvider::PutInstance(const SWbemInstance&) {
  wbem_error::Raise(wbem_error::kProviderNotCapable, u"SWbemObjectEx");
}

void CWbemProvider::DeleteInstance(const SWbemInstance&) {
  wbem_error::Raise(wbem_error::kProviderNotCapable, u"SWbemObjectEx");
}

void SetOutParameter(std::span<CVariant> args, size_t index, CVariant value) {
  if (index < args.size() && args[index].RefTarget() != nullptr) args[index].Deref() = std::move(value);
}

CWbemProvider* FindWbemProvider(std::u16string_view nameSpace, std::u16string_view className) {
  static CProcessProvider processes;
  static COperatingSystemProvider operatingSystem;
  static CDriveLetterDiskProvider logicalDisks;
  static CComputerSystemProvider computerSystem;
  static CProcessorProvider processors;
  static CEnvironmentProvider environment;
  static CCurrentTimeProvider localTime(true);
  static CCurrentTimeProvider universalTime(false);
  static CNetworkConfigurationProvider networkConfiguration;
  static CAccountProvider users(false);
  static CAccountProvider groups(true);
  if (CWbemProvider* software = FindSoftwareProvider(nameSpace, className)) return software;
  if (!wbem_text::SameName(nameSpace, u"root\\cimv2")) return nullptr;
  if (wbem_text::SameName(className, u"Win32_Process")) return &processes;
  if (wbem_text::SameName(className, u"Win32_OperatingSystem")) return &operatingSystem;
  if (wbem_text::SameName(className, u"Win32_LogicalDisk")) return &logicalDisks;
  if (wbem_text::SameName(className, u"Win32_ComputerSystem")) return &computerSystem;
  if (wbem_text::SameName(className, u"Win32_Processor")) return &processors;
  if (wbem_text::SameName(className, u"Win32_Environment")) return &environment;
  if (wbem_text::SameName(className, u"Win32_LocalTime")) return &localTime;
  if (wbem_text::SameName(className, u"Win32_UTCTime")) return &universalTime;
  if (wbem_text::SameName(className, u"Win32_NetworkAdapterConfiguration")) return &networkConfiguration;
  if (wbem_text::SameName(className, u"Win32_UserAccount")) return &users;
  if (wbem_text::SameName(className, u"Win32_Group")) return &groups;
  if (CWbemProvider* hardware = FindHardwareProvider(className)) return hardware;
  if (CWbemProvider* association = FindAssociationProvider(className)) return association;
  return nullptr;
}

}  // namespace quillet::engine
