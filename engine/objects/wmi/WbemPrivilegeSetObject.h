#pragma once
// SWbemPrivilegeSet: the privileges a connection asks for (Security_.Privileges), shared with
// the connection's settings so that what a script adds stays with it. Kept and read back; on
// this system of one user they change nothing.

#include <memory>

#include "engine/objects/wmi/WbemSecuritySettings.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemPrivilegeSetObject : public CAutomationObject {
 public:
  explicit CWbemPrivilegeSetObject(std::shared_ptr<SWbemSecuritySettings> settings);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant Add(int32_t number, bool enabled);

  std::shared_ptr<SWbemSecuritySettings> m_settings;
};

}  // namespace quillet::engine
