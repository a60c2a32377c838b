#include "engine/objects/wmi/WbemObjectSetObject.h"

#include <memory>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectObject.h"
#include "engine/objects/wmi/WbemSecurityObject.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemObjectSet";

// Relative paths compare as Windows compares them: the key quotes may be either kind.
std::u16string ComparablePath(std::u16string_view path) {
  std::u16string out = wbem_text::Lowered(wbem_text::Trimmed(path));
  for (char16_t& c : out) {
    if (c == u'\'') c = u'"';
  }
  return out;
}

}  // namespace

CWbemObjectSetObject::CWbemObjectSetObject(WbemInstances instances, SWbemConnection connection)
    : CAutomationObject(DispatchTableOf<kWbemObjectSetClass>()),
      m_instances(std::move(instances)),
      m_connection(std::move(connection)) {}

CVariant CWbemObjectSetObject::ObjectAt(size_t index) const {
  return CVariant::Object(new CWbemObjectObject(m_instances[index], m_connection));
}

CVariant CWbemObjectSetObject::ItemByPath(std::u16string_view relPath) const {
  const std::u16string wanted = ComparablePath(relPath);
  for (size_t i = 0; i < m_instances.size(); ++i) {
    if (ComparablePath(RelativePathOf(*m_instances[i])) == wanted) return ObjectAt(i);
  }
  wbem_error::Raise(wbem_error::kNotFound, kSource);
}

CVariant CWbemObjectSetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemObjectSet;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(m_instances.size()));
    case id::ItemIndex: {
      const int32_t index = LetValue(args[0]).ToLong();
      if (index < 0 || static_cast<size_t>(index) >= m_instances.size()) {
        wbem_error::Raise(wbem_error::kNotFound, kSource);
      }
      return ObjectAt(static_cast<size_t>(index));
    }
    case id::Item: return ItemByPath(LetValue(args[0]).ToString());
    case id::Security_: return CVariant::Object(new CWbemSecurityObject(m_connection.security));
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

CEnumerator* CWbemObjectSetObject::NewEnum() {
  return new CSequenceEnumerator(
      [instances = m_instances, connection = m_connection](size_t index, CVariant& value) {
        if (index >= instances.size()) return false;
        value = CVariant::Object(new CWbemObjectObject(instances[index], connection));
        return true;
      });
}

}  // namespace quillet::engine
