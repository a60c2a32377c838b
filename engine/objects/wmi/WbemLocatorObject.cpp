#include "engine/objects/wmi/WbemLocatorObject.h"

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemSecurityObject.h"
#include "engine/objects/wmi/WbemServicesObject.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

std::u16string TextArgument(const CVariant& arg) { return LetValue(arg).ToString(); }

}  // namespace

CWbemLocatorObject::CWbemLocatorObject()
    : CAutomationObject(DispatchTableOf<kWbemLocatorClass>()), m_security(std::make_shared<SWbemSecuritySettings>()) {}

CVariant CWbemLocatorObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemLocator;
  switch (member.dispId) {
    case id::ConnectServer: return ConnectServer(args);
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_security));
    default: ThrowNoSuchMember();
  }
}

// Server, namespace, user, password, locale, authority, flags, context: the password, flags and
// context change nothing on this system; the locale and authority are kept.
CVariant CWbemLocatorObject::ConnectServer(std::span<CVariant> args) {
  SWbemSecuritySettings security = *m_security;
  const std::u16string locale = TextArgument(args[4]);
  const std::u16string authority = TextArgument(args[5]);
  if (!locale.empty()) security.locale = locale;
  if (!authority.empty()) security.authority = authority;
  return CVariant::Object(
      new CWbemServicesObject(ConnectWbem(TextArgument(args[0]), TextArgument(args[1]), TextArgument(args[2]), security)));
}

}  // namespace quillet::engine
