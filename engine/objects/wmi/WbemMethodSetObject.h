#pragma once
// SWbemMethodSet: the methods of an object's class, as Methods_ gives them.

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/runtime/AutomationObject.h"
#include "platform/WmiCatalog.h"

namespace quillet::engine {

class CWbemMethodSetObject : public CAutomationObject {
 public:
  CWbemMethodSetObject(const platform::SWmiClass& cls, SWbemConnection connection);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  const platform::SWmiClass* m_class;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
