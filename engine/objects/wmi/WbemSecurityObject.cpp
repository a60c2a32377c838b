#include "engine/objects/wmi/WbemSecurityObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemPrivilegeSetObject.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemSecurity";

// A level from a script, refused outside the enumeration as Windows refuses it.
int32_t LevelFrom(const CVariant& arg, int32_t lowest, int32_t highest) {
  const int32_t level = LetValue(arg).ToLong();
  if (level < lowest || level > highest) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  return level;
}

}  // namespace

CWbemSecurityObject::CWbemSecurityObject(std::shared_ptr<SWbemSecuritySettings> settings)
    : CAutomationObject(DispatchTableOf<kWbemSecurityClass>()), m_settings(std::move(settings)) {}

CVariant CWbemSecurityObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemSecurity;
  const bool reads = member.kind == om::EMemberKind::PropertyGet;
  switch (member.dispId) {
    case id::ImpersonationLevel:
      if (reads) return CVariant::Long(m_settings->impersonationLevel);
      m_settings->impersonationLevel = LevelFrom(args[0], 1, 4);
      return {};
    case id::AuthenticationLevel:
      if (reads) return CVariant::Long(m_settings->authenticationLevel);
      m_settings->authenticationLevel = LevelFrom(args[0], 0, 6);
      return {};
    case id::Privileges:
      return CVariant::Object(new CWbemPrivilegeSetObject(m_settings));
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
