#pragma once
// SWbemProperty: one property of an object, read and written through the object's values.

#include <memory>

#include "engine/objects/wmi/WbemInstance.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemPropertyObject : public CAutomationObject {
 public:
  CWbemPropertyObject(std::shared_ptr<SWbemInstance> instance, size_t index);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SWbemInstance> m_instance;
  size_t m_index;
};

}  // namespace quillet::engine
