#include "engine/objects/wmi/WbemPrivilegeObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemPrivileges.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

SWbemPrivilegeSetting* FindPrivilege(SWbemSecuritySettings& settings, int32_t number) {
  for (SWbemPrivilegeSetting& privilege : settings.privileges) {
    if (PrivilegeNumber(privilege.name) == number) return &privilege;
  }
  return nullptr;
}

CWbemPrivilegeObject::CWbemPrivilegeObject(std::shared_ptr<SWbemSecuritySettings> settings, int32_t number)
    : CAutomationObject(DispatchTableOf<kWbemPrivilegeClass>()), m_settings(std::move(settings)), m_number(number) {}

CVariant CWbemPrivilegeObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemPrivilege;
  SWbemPrivilegeSetting* privilege = FindPrivilege(*m_settings, m_number);
  // Removed from its set since: it is then not found.
  if (privilege == nullptr) wbem_error::Raise(wbem_error::kNotFound, u"SWbemPrivilege");
  switch (member.dispId) {
    case id::IsEnabled:
      if (member.kind == om::EMemberKind::PropertyGet) return CVariant::Boolean(privilege->enabled);
      privilege->enabled = LetValue(args[0]).ToBool();
      return {};
    case id::Name: return CVariant::String(PrivilegeName(m_number));
    case id::DisplayName: return CVariant::String(PrivilegeDisplayName(m_number));
    case id::Identifier: return CVariant::Long(m_number);
    default: wbem_error::RaiseNotAvailable(u"SWbemPrivilege", member.name);
  }
}

}  // namespace quillet::engine
