#include "engine/objects/wmi/AssociationProviders.h"

#include "engine/objects/wmi/AccountProvider.h"
#include "engine/objects/wmi/WbemAssociationProvider.h"
#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

CWbemProvider* FindAssociationProvider(std::u16string_view className) {
  static CWbemAssociationProvider groupUsers(u"GroupComponent", u"PartComponent", CAccountProvider::GroupMembership());
  static CWbemAssociationProvider systemOperatingSystem(u"GroupComponent", u"PartComponent",
                                                        CWbemAssociationProvider::EveryPair(),
                                                        {{u"PrimaryOS", CVariant::Boolean(true)}});
  static CWbemAssociationProvider adapterSettings(u"Element", u"Setting",
                                                  CWbemAssociationProvider::SameValue(u"Index", u"Index"));
  if (wbem_text::SameName(className, u"Win32_GroupUser")) return &groupUsers;
  if (wbem_text::SameName(className, u"Win32_SystemOperatingSystem")) return &systemOperatingSystem;
  if (wbem_text::SameName(className, u"Win32_NetworkAdapterSetting")) return &adapterSettings;
  return nullptr;
}

}  // namespace quillet::engine
