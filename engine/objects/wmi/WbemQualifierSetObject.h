#pragma once
// SWbemQualifierSet: the qualifiers of a class, an instance, a property or a method, as
// Qualifiers_ gives them.

#include <memory>

#include "engine/objects/wmi/WbemQualifiers.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemQualifierSetObject : public CAutomationObject {
 public:
  explicit CWbemQualifierSetObject(std::shared_ptr<WbemQualifierList> qualifiers);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] size_t IndexOf(std::u16string_view name) const;  // Count() when absent
  CVariant Add(std::span<CVariant> args);

  std::shared_ptr<WbemQualifierList> m_qualifiers;
};

}  // namespace quillet::engine
