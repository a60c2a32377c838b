#include "engine/objects/wmi/SoftwareProviders.h"

#include "engine/objects/wmi/FileProvider.h"
#include "engine/objects/wmi/RegistryProvider.h"
#include "engine/objects/wmi/ServiceProvider.h"
#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

CWbemProvider* FindSoftwareProvider(std::u16string_view nameSpace, std::u16string_view className) {
  using wbem_text::SameName;
  static CRegistryProvider registry;
  static CServiceProvider services;
  static CFileProvider files(false);
  static CFileProvider folders(true);
  if (SameName(className, u"StdRegProv")) return &registry;
  if (!SameName(nameSpace, u"root\\cimv2")) return nullptr;
  if (SameName(className, u"Win32_Service")) return &services;
  if (SameName(className, u"CIM_DataFile")) return &files;
  if (SameName(className, u"Win32_Directory")) return &folders;
  return nullptr;
}

}  // namespace quillet::engine
