#pragma once
// SWbemObject: a class or an instance. Besides its declared members (all ending in "_"), its
// class's properties read and write as members (objItem.Name) and its methods are called as
// members (objProcess.Terminate()).

#include <memory>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemObjectObject : public CAutomationObject {
 public:
  CWbemObjectObject(std::shared_ptr<SWbemInstance> instance, SWbemConnection connection);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;
  CVariant InvokeUndeclared(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

 private:
  // Associators_ and References_.
  [[nodiscard]] CVariant Associated(std::span<CVariant> args, bool references) const;
  [[nodiscard]] CVariant Path() const;
  [[nodiscard]] CVariant Derivation() const;
  [[nodiscard]] CVariant ObjectText() const;

  std::shared_ptr<SWbemInstance> m_instance;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
