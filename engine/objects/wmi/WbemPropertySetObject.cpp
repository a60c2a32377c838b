#include "engine/objects/wmi/WbemPropertySetObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemPropertyObject.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemPropertySet";

}  // namespace

CWbemPropertySetObject::CWbemPropertySetObject(std::shared_ptr<SWbemInstance> instance)
    : CAutomationObject(DispatchTableOf<kWbemPropertySetClass>()), m_instance(std::move(instance)) {}

CVariant CWbemPropertySetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemPropertySet;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_instance->cls->properties.size()));
    case id::Item: {
      const int index = m_instance->cls->PropertyIndex(LetValue(args[0]).ToString());
      if (index < 0) wbem_error::Raise(wbem_error::kNotFound, kSource);
      return CVariant::Object(new CWbemPropertyObject(m_instance, static_cast<size_t>(index)));
    }
    case id::Remove: {
      // An instance's property goes back to its class's default, Null here; a class's own
      // declarations come from the catalogue and stay.
      const int index = m_instance->cls->PropertyIndex(LetValue(args[0]).ToString());
      if (index < 0) wbem_error::Raise(wbem_error::kNotFound, kSource);
      if (m_instance->isClass) wbem_error::Raise(wbem_error::kInvalidOperation, kSource);
      m_instance->values[static_cast<size_t>(index)] = CVariant::Null();
      return {};
    }
    // A new property belongs to a new class (SpawnDerivedClass_), which this system does not make.
    case id::Add: wbem_error::Raise(wbem_error::kInvalidOperation, kSource);
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CEnumerator* CWbemPropertySetObject::NewEnum() {
  return new CSequenceEnumerator([instance = m_instance](size_t index, CVariant& value) {
    if (index >= instance->cls->properties.size()) return false;
    value = CVariant::Object(new CWbemPropertyObject(instance, index));
    return true;
  });
}

}  // namespace quillet::engine
