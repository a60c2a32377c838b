#include "engine/objects/wmi/WbemPrivilegeSetObject.h"

#include <algorithm>
#include <utility>

#include "engine/objects/wmi/WbemClasses.h"
#include "engine/objects/wmi/WbemDispIds.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemPrivilegeObject.h"
#include "engine/objects/wmi/WbemPrivileges.h"
#include "engine/runtime/SequenceEnumerator.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kSource = u"SWbemPrivilegeSet";

int32_t NumberArgument(const CVariant& arg) {
  const int32_t number = LetValue(arg).ToLong();
  if (PrivilegeName(number).empty()) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
  return number;
}

}  // namespace

CWbemPrivilegeSetObject::CWbemPrivilegeSetObject(std::shared_ptr<SWbemSecuritySettings> settings)
    : CAutomationObject(DispatchTableOf<kWbemPrivilegeSetClass>()), m_settings(std::move(settings)) {}

// Adding one the set holds sets whether it is enabled, in its place.
CVariant CWbemPrivilegeSetObject::Add(int32_t number, bool enabled) {
  if (SWbemPrivilegeSetting* held = FindPrivilege(*m_settings, number)) {
    held->enabled = enabled;
  } else {
    m_settings->privileges.push_back(SWbemPrivilegeSetting{PrivilegeName(number), enabled});
  }
  return CVariant::Object(new CWbemPrivilegeObject(m_settings, number));
}

CVariant CWbemPrivilegeSetObject::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = wbem_id::WbemPrivilegeSet;
  auto& privileges = m_settings->privileges;
  switch (member.dispId) {
    case id::Count: return CVariant::Long(static_cast<int32_t>(privileges.size()));
    case id::Item: {
      const int32_t number = NumberArgument(args[0]);
      if (FindPrivilege(*m_settings, number) == nullptr) wbem_error::Raise(wbem_error::kNotFound, kSource);
      return CVariant::Object(new CWbemPrivilegeObject(m_settings, number));
    }
    case id::Add: return Add(NumberArgument(args[0]), LetValue(args[1]).ToBool());
    case id::AddAsString: {
      const int32_t number = PrivilegeNumber(LetValue(args[0]).ToString());
      if (number == 0) wbem_error::Raise(wbem_error::kInvalidParameter, kSource);
      return Add(number, LetValue(args[1]).ToBool());
    }
    case id::Remove: {
      const int32_t number = NumberArgument(args[0]);
      const auto erased = std::erase_if(privileges, [&](const auto& p) { return PrivilegeNumber(p.name) == number; });
      if (erased == 0) wbem_error::Raise(wbem_error::kNotFound, kSource);
      return {};
    }
    case id::DeleteAll: privileges.clear(); return {};
    default: wbem_error::RaiseNotAvailable(kSource, member.name);
  }
}

// For Each walks the privileges as they were when the loop began; names no system knows
// (a moniker may carry any) are left out, having no number.
CEnumerator* CWbemPrivilegeSetObject::NewEnum() {
  std::vector<int32_t> numbers;
  for (const SWbemPrivilegeSetting& privilege : m_settings->privileges) {
    if (const int32_t number = PrivilegeNumber(privilege.name)) numbers.push_back(number);
  }
  return new CSequenceEnumerator([settings = m_settings, numbers = std::move(numbers)](size_t index, CVariant& value) {
    if (index >= numbers.size()) return false;
    value = CVariant::Object(new CWbemPrivilegeObject(settings, numbers[index]));
    return true;
  });
}

}  // namespace quillet::engine
