#include "engine/objects/wmi/WbemMethodObject.h"

#include <memory>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectObject.h"
#include "engine/objects/wmi/WbemParameterClasses.h"
#include "engine/objects/wmi/WbemQualifierSetObject.h"

namespace quillet::engine {

CWbemMethodObject::CWbemMethodObject(const platform::SWmiClass& cls, size_t index, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemMethodClass>()),
      m_class(&cls),
      m_index(index),
      m_connection(std::move(connection)) {}

// A class object each time, so that a script's SpawnInstance_ and writes start afresh.
CVariant CWbemMethodObject::Parameters(bool out) const {
  const platform::SWmiClass* cls = ParametersClass(*m_class, m_class->methods[m_index], out);
  if (cls == nullptr) return CVariant::Object(nullptr);
  auto parameters = std::make_shared<SWbemInstance>(*cls);
  parameters->isClass = true;
  return CVariant::Object(new CWbemObjectObject(std::move(parameters), m_connection));
}

CVariant CWbemMethodObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = wbem_id::WbemMethod;
  const platform::SWmiMethod& method = m_class->methods[m_index];
  switch (member.dispId) {
    case id::Name: return CVariant::String(method.name);
    case id::Origin: return CVariant::String(method.origin);
    case id::InParameters: return Parameters(false);
    case id::OutParameters: return Parameters(true);
    case id::Qualifiers_: return CVariant::Object(new CWbemQualifierSetObject(QualifiersOfMethod(method)));
    default: wbem_error::RaiseNotAvailable(u"SWbemMethod", member.name);
  }
}

}  // namespace quillet::engine
