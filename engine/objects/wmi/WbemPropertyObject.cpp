#include "engine/objects/wmi/WbemPropertyObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemQualifierSetObject.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

CWbemPropertyObject::CWbemPropertyObject(std::shared_ptr<SWbemInstance> instance, size_t index)
    : CAutomationObject(DispatchTableOf<kWbemPropertyClass>()), m_instance(std::move(instance)), m_index(index) {}

CVariant CWbemPropertyObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemProperty;
  const platform::SWmiProperty& property = m_instance->cls->properties[m_index];
  switch (member.dispId) {
    case id::Value:
      if (member.kind == om::EMemberKind::PropertyGet) return m_instance->values[m_index];
      m_instance->values[m_index] = LetValue(args[0]);
      return {};
    case id::Name: return CVariant::String(property.name);
    case id::IsLocal: return CVariant::Boolean(property.origin == m_instance->cls->name);
    case id::Origin: return CVariant::String(property.origin);
    case id::CIMType: return CVariant::Long(static_cast<int32_t>(property.type));
    case id::IsArray: return CVariant::Boolean(property.isArray);
    case id::Qualifiers_:
      return CVariant::Object(
          new CWbemQualifierSetObject(QualifiersOfProperty(*m_instance->cls, property, !m_instance->isClass)));
    default: wbem_error::RaiseNotAvailable(u"SWbemProperty", member.name);
  }
}

}  // namespace quillet::engine
