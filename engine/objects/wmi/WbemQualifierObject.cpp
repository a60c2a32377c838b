#include "engine/objects/wmi/WbemQualifierObject.h"

#include <algorithm>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemQualifier";

}  // namespace

CWbemQualifierObject::CWbemQualifierObject(std::shared_ptr<WbemQualifierList> qualifiers, size_t index)
    : CAutomationObject(DispatchTableOf<kWbemQualifierClass>()),
      m_qualifiers(std::move(qualifiers)),
      m_name((*m_qualifiers)[index].name) {}

CVariant CWbemQualifierObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemQualifier;
  const auto found = std::find_if(m_qualifiers->begin(), m_qualifiers->end(),
                                 [&](const SWbemQualifier& q) { return wbem_text::SameName(q.name, m_name); });
  // The set may have lost this qualifier since (Remove): it is then not found, as Windows says.
  if (found == m_qualifiers->end()) wbem_error::Raise(wbem_error::kNotFound, kSource);
  SWbemQualifier& qualifier = *found;
  const bool reads = member.kind == om::EMemberKind::PropertyGet;
  const auto flag = [&](bool& field) {
    if (reads) return CVariant::Boolean(field);
    field = LetValue(args[0]).ToBool();
    return CVariant();
  };
  switch (member.dispId) {
    case id::Value:
      if (reads) return qualifier.value;
      qualifier.value = LetValue(args[0]);
      return {};
    case id::Name: return CVariant::String(qualifier.name);
    case id::IsLocal: return CVariant::Boolean(qualifier.isLocal);
    case id::PropagatesToSubclass: return flag(qualifier.propagatesToSubclass);
    case id::PropagatesToInstance: return flag(qualifier.propagatesToInstance);
    case id::IsOverridable: return flag(qualifier.isOverridable);
    case id::IsAmended: return CVariant::Boolean(false);
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

}  // namespace quillet::engine
