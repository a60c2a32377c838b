#pragma once
// SWbemMethod: one method of a class, with the classes of its parameters (Nothing for
// InParameters when it takes none) and its qualifiers.

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/runtime/AutomationObject.h"
#include "platform/WmiCatalog.h"

namespace quillet::engine {

class CWbemMethodObject : public CAutomationObject {
 public:
  CWbemMethodObject(const platform::SWmiClass& cls, size_t index, SWbemConnection connection);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] CVariant Parameters(bool out) const;

  const platform::SWmiClass* m_class;
  size_t m_index;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
