#include "engine/objects/wmi/WbemQualifierSetObject.h"

#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemQualifierObject.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemQualifierSet";

}  // namespace

CWbemQualifierSetObject::CWbemQualifierSetObject(std::shared_ptr<WbemQualifierList> qualifiers)
    : CAutomationObject(DispatchTableOf<kWbemQualifierSetClass>()), m_qualifiers(std::move(qualifiers)) {}

size_t CWbemQualifierSetObject::IndexOf(std::u16string_view name) const {
  for (size_t i = 0; i < m_qualifiers->size(); ++i) {
    if (wbem_text::SameName((*m_qualifiers)[i].name, name)) return i;
  }
  return m_qualifiers->size();
}

// Add(name, value, propagatesToSubclass, propagatesToInstance, isOverridable): replaces a
// qualifier of the same name in place.
CVariant CWbemQualifierSetObject::Add(std::span<CVariant> args) {
  const std::u16string name = LetValue(args[0]).ToString();
  if (wbem_text::Trimmed(name).empty()) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  SWbemQualifier qualifier{name, LetValue(args[1]), true, LetValue(args[2]).ToBool(), LetValue(args[3]).ToBool(),
                           LetValue(args[4]).ToBool()};
  const size_t index = IndexOf(name);
  if (index < m_qualifiers->size()) {
    (*m_qualifiers)[index] = std::move(qualifier);
  } else {
    m_qualifiers->push_back(std::move(qualifier));
  }
  return CVariant::Object(new CWbemQualifierObject(m_qualifiers, index));
}

CVariant CWbemQualifierSetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemQualifierSet;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_qualifiers->size()));
    case id::Item: {
      const size_t index = IndexOf(LetValue(args[0]).ToString());
      if (index >= m_qualifiers->size()) wbem_error::Raise(wbem_error::kNotFound, kSource);
      return CVariant::Object(new CWbemQualifierObject(m_qualifiers, index));
    }
    case id::Add: return Add(args);
    case id::Remove: {
      const size_t index = IndexOf(LetValue(args[0]).ToString());
      if (index >= m_qualifiers->size()) wbem_error::Raise(wbem_error::kNotFound, kSource);
      m_qualifiers->erase(m_qualifiers->begin() + static_cast<std::ptrdiff_t>(index));
      return {};
    }
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CEnumerator* CWbemQualifierSetObject::NewEnum() {
  return new CSequenceEnumerator([qualifiers = m_qualifiers](size_t index, CVariant& value) {
    if (index >= qualifiers->size()) return false;
    value = CVariant::Object(new CWbemQualifierObject(qualifiers, index));
    return true;
  });
}

}  // namespace quillet::engine
