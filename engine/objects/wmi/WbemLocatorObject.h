#pragma once
// SWbemLocator (CreateObject("WbemScripting.SWbemLocator")): connects to a namespace of this
// computer with its own security settings, which each connection starts from.

#include <memory>

#include "engine/objects/wmi/WbemSecuritySettings.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemLocatorObject : public CAutomationObject {
 public:
  CWbemLocatorObject();

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant ConnectServer(std::span<CVariant> args);

  std::shared_ptr<SWbemSecuritySettings> m_security;
};

}  // namespace quillet::engine
