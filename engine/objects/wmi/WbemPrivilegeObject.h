#pragma once
// SWbemPrivilege: one privilege of a set, found by its number each time in the settings it
// belongs to; IsEnabled changes it there.

#include <memory>

#include "engine/objects/wmi/WbemSecuritySettings.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemPrivilegeObject : public CAutomationObject {
 public:
  CWbemPrivilegeObject(std::shared_ptr<SWbemSecuritySettings> settings, int32_t number);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SWbemSecuritySettings> m_settings;
  int32_t m_number;
};

// The setting of the privilege of that number, or null.
[[nodiscard]] SWbemPrivilegeSetting* FindPrivilege(SWbemSecuritySettings& settings, int32_t number);

}  // namespace quillet::engine
