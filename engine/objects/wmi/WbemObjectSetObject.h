#pragma once
// SWbemObjectSet: the objects a query or an enumeration returned, in the order the provider
// gave them.

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemObjectSetObject : public CAutomationObject {
 public:
  CWbemObjectSetObject(WbemInstances instances, SWbemConnection connection);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant ObjectAt(size_t index) const;
  CVariant ItemByPath(std::u16string_view relPath) const;

  WbemInstances m_instances;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
