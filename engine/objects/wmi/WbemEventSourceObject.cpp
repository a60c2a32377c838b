#include "engine/objects/wmi/WbemEventSourceObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectObject.h"
#include "engine/objects/wmi/WbemSecurityObject.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemEventSource";

}  // namespace

CWbemEventSourceObject::CWbemEventSourceObject(std::unique_ptr<CWbemEventWatch> watch)
    : CAutomationObject(DispatchTableOf<kWbemEventSourceClass>()), m_watch(std::move(watch)) {}

CVariant CWbemEventSourceObject::NextEvent(const CVariant& timeoutMs) {
  const CVariant timeout = LetValue(timeoutMs);
  auto event = m_watch->Next(timeout.IsEmpty() || timeout.IsMissing() ? -1 : timeout.ToLong());
  if (event == nullptr) wbem_error::Raise(wbem_error::kTimedOut, kSource);
  return CVariant::Object(new CWbemObjectObject(std::move(event), m_watch->Connection()));
}

CVariant CWbemEventSourceObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemEventSource;
  switch (member.dispId) {
    case id::NextEvent: return NextEvent(args[0]);
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_watch->Connection().security));
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

}  // namespace quillet::engine
