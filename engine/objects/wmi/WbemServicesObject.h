#pragma once
// SWbemServices: a connection to one namespace, what GetObject("winmgmts:...") and
// SWbemLocator.ConnectServer give. Queries, objects and methods come from the providers of the
// namespace; members not provided yet raise "Not available".

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemServicesObject : public CAutomationObject {
 public:
  explicit CWbemServicesObject(SWbemConnection connection);

  [[nodiscard]] const SWbemConnection& Connection() const { return m_connection; }
  // The class or instance an object path names (Get, and monikers that end in a path).
  CVariant GetObjectAt(std::u16string_view objectPath);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant ExecQuery(std::span<CVariant> args);
  CVariant ExecNotificationQuery(std::span<CVariant> args);
  [[nodiscard]] CVariant ObjectSet(WbemInstances instances) const;

  SWbemConnection m_connection;
};

// What GetObject gives for a winmgmts: moniker: the connection, or the object its path names.
[[nodiscard]] CVariant GetWbemObject(std::u16string_view moniker);

}  // namespace quillet::engine
