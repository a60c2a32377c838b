#pragma once
// SWbemSecurity: the settings of a locator or a connection, changed in place, so that
// objSvc.Security_.ImpersonationLevel = 3 sticks to the connection.

#include <memory>

#include "engine/objects/wmi/WbemSecuritySettings.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemSecurityObject : public CAutomationObject {
 public:
  explicit CWbemSecurityObject(std::shared_ptr<SWbemSecuritySettings> settings);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SWbemSecuritySettings> m_settings;
};

}  // namespace quillet::engine
