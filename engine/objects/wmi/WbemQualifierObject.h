#pragma once
// SWbemQualifier: one qualifier of a set, found by its name each time so that removing
// another one from the set leaves it in place; changes stay in the set it came from.

#include <memory>
#include <string>

#include "engine/objects/wmi/WbemQualifiers.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemQualifierObject : public CAutomationObject {
 public:
  CWbemQualifierObject(std::shared_ptr<WbemQualifierList> qualifiers, size_t index);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<WbemQualifierList> m_qualifiers;
  std::u16string m_name;
};

}  // namespace quillet::engine
