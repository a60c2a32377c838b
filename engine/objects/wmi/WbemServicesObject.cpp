#include "engine/objects/wmi/WbemServicesObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemMoniker.h"
#include "engine/objects/wmi/WbemSecurityObject.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemServicesEx";

}  // namespace

CWbemServicesObject::CWbemServicesObject(SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemServicesClass>()), m_connection(std::move(connection)) {}

CVariant CWbemServicesObject::GetObjectAt(std::u16string_view) { wbem_error::RaiseNotAvailable(kSource, u"Get"); }

CVariant CWbemServicesObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = wbem_id::WbemServices;
  switch (member.dispId) {
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CVariant GetWbemObject(std::u16string_view monikerText) {
  const SWbemMoniker moniker = ParseWbemMoniker(monikerText);
  auto* services = new CWbemServicesObject(ConnectWbem(moniker.server, moniker.nameSpace, {}, moniker.security));
  const CVariant held = CVariant::Object(services);
  if (moniker.objectPath.empty()) return held;
  return services->GetObjectAt(moniker.objectPath);
}

}  // namespace quillet::engine
