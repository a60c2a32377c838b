#include "engine/objects/wmi/WbemPrivileges.h"

#include <array>

#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

namespace {

// Numbered from 1 in the order of WbemPrivilegeEnum; the system name is the short name with
// "Se" before and "Privilege" after, except where noted.
constexpr std::array<std::u16string_view, 27> kShortNames = {
    u"CreateToken",   u"PrimaryToken",    u"LockMemory",        u"IncreaseQuota",         u"MachineAccount",
    u"Tcb",           u"Security",        u"TakeOwnership",     u"LoadDriver",            u"SystemProfile",
    u"Systemtime",    u"ProfileSingleProcess", u"IncreaseBasePriority", u"CreatePagefile", u"CreatePermanent",
    u"Backup",        u"Restore",         u"Shutdown",          u"Debug",                 u"Audit",
    u"SystemEnvironment", u"ChangeNotify", u"RemoteShutdown",   u"Undock",                u"SyncAgent",
    u"EnableDelegation", u"ManageVolume",
};

std::u16string_view ShortName(int32_t number) {
  return number >= 1 && number <= static_cast<int32_t>(kShortNames.size()) ? kShortNames[static_cast<size_t>(number - 1)]
                                                                            : std::u16string_view();
}

}  // namespace

std::u16string PrivilegeName(int32_t number) {
  const std::u16string_view name = ShortName(number);
  if (name.empty()) return {};
  // The system spells this one after what it does: assigning a process its primary token.
  if (name == u"PrimaryToken") return u"SeAssignPrimaryTokenPrivilege";
  return u"Se" + std::u16string(name) + u"Privilege";
}

int32_t PrivilegeNumber(std::u16string_view name) {
  name = wbem_text::Trimmed(name);
  for (int32_t number = 1; number <= static_cast<int32_t>(kShortNames.size()); ++number) {
    if (wbem_text::SameName(name, ShortName(number)) || wbem_text::SameName(name, PrivilegeName(number))) return number;
  }
  return 0;
}

std::u16string PrivilegeDisplayName(int32_t number) {
  std::u16string words;
  for (const char16_t c : ShortName(number)) {
    if (c >= u'A' && c <= u'Z' && !words.empty()) words += u' ';
    words += c;
  }
  return words;
}

}  // namespace quillet::engine
