#include "engine/objects/wmi/WbemNamedValueSetObject.h"

#include <algorithm>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/SafeArray.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemNamedValueSet";

// A stored value is the caller's, not shared with the caller's array.
CVariant StoredValue(const CVariant& arg) {
  const CVariant& value = arg.Deref();
  return value.IsArray() ? CVariant::Array(value.AsArray()->Clone()) : value;
}

}  // namespace

CWbemNamedValueSetObject::CWbemNamedValueSetObject() : CWbemNamedValueSetObject(std::make_shared<WbemNamedValues>()) {}

CWbemNamedValueSetObject::CWbemNamedValueSetObject(std::shared_ptr<WbemNamedValues> values)
    : CAutomationObject(DispatchTableOf<kWbemNamedValueSetClass>()), m_values(std::move(values)) {}

WbemNamedValues::iterator CWbemNamedValueSetObject::Find(std::u16string_view name) {
  return std::find_if(m_values->begin(), m_values->end(),
                      [&](const auto& entry) { return wbem_text::SameName(entry->name, name); });
}

// Adding a name the set holds replaces its value, in its place.
CVariant CWbemNamedValueSetObject::Add(std::span<CVariant> args) {
  const std::u16string name = LetValue(args[0]).ToString();
  if (name.empty()) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  CVariant value = StoredValue(args[1]);
  auto found = Find(name);
  if (found == m_values->end()) {
    m_values->push_back(std::make_shared<SWbemNamedValue>(SWbemNamedValue{name, std::move(value)}));
    found = m_values->end() - 1;
  } else {
    (*found)->value = std::move(value);
  }
  return CVariant::Object(new CWbemNamedValueObject(*found));
}

CVariant CWbemNamedValueSetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemNamedValueSet;
  switch (member.dispId) {
    case id::Item: {
      const auto found = Find(LetValue(args[0]).ToString());
      if (found == m_values->end()) wbem_error::Raise(wbem_error::kNotFound, kSource);
      return CVariant::Object(new CWbemNamedValueObject(*found));
    }
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_values->size()));
    case id::Add: return Add(args);
    case id::Remove: {
      const auto found = Find(LetValue(args[0]).ToString());
      if (found == m_values->end()) wbem_error::Raise(wbem_error::kNotFound, kSource);
      m_values->erase(found);
      return {};
    }
    case id::Clone: {
      auto* copy = new CWbemNamedValueSetObject();
      for (const auto& entry : *m_values) copy->m_values->push_back(std::make_shared<SWbemNamedValue>(*entry));
      return CVariant::Object(copy);
    }
    case id::DeleteAll: m_values->clear(); return {};
    default: ThrowNoSuchMember();
  }
}

// For Each walks the values as they were when the loop began.
CEnumerator* CWbemNamedValueSetObject::NewEnum() {
  return new CSequenceEnumerator([values = *m_values](size_t index, CVariant& value) {
    if (index >= values.size()) return false;
    value = CVariant::Object(new CWbemNamedValueObject(values[index]));
    return true;
  });
}

CWbemNamedValueObject::CWbemNamedValueObject(std::shared_ptr<SWbemNamedValue> entry)
    : CAutomationObject(DispatchTableOf<kWbemNamedValueClass>()), m_entry(std::move(entry)) {}

CVariant CWbemNamedValueObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemNamedValue;
  switch (member.dispId) {
    case id::Value:
      if (member.kind == om::EMemberKind::PropertyGet) return m_entry->value;
      m_entry->value = StoredValue(args[0]);
      return {};
    case id::Name: return CVariant::String(m_entry->name);
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
