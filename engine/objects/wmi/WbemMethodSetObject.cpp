#include "engine/objects/wmi/WbemMethodSetObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemMethodObject.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

CWbemMethodSetObject::CWbemMethodSetObject(const platform::SWmiClass& cls, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemMethodSetClass>()), m_class(&cls), m_connection(std::move(connection)) {}

CVariant CWbemMethodSetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemMethodSet;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_class->methods.size()));
    case id::Item: {
      const platform::SWmiMethod* method = m_class->FindMethod(LetValue(args[0]).ToString());
      if (method == nullptr) wbem_error::Raise(wbem_error::kNotFound, u"SWbemMethodSet");
      const auto index = static_cast<size_t>(method - m_class->methods.data());
      return CVariant::Object(new CWbemMethodObject(*m_class, index, m_connection));
    }
    default: wbem_error::RaiseNotAvailable(u"SWbemMethodSet", member.name);
  }
}

CEnumerator* CWbemMethodSetObject::NewEnum() {
  return new CSequenceEnumerator([cls = m_class, connection = m_connection](size_t index, CVariant& value) {
    if (index >= cls->methods.size()) return false;
    value = CVariant::Object(new CWbemMethodObject(*cls, index, connection));
    return true;
  });
}

}  // namespace quillet::engine
