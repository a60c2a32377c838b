#pragma once
// SWbemPropertySet: the properties of an object (Properties_), in its class's order.

#include <memory>

#include "engine/objects/wmi/WbemInstance.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemPropertySetObject : public CAutomationObject {
 public:
  explicit CWbemPropertySetObject(std::shared_ptr<SWbemInstance> instance);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SWbemInstance> m_instance;
};

}  // namespace quillet::engine
