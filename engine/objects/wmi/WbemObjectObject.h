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

  [[nodiscard]] const std::shared_ptr<SWbemInstance>& Instance() const { return m_instance; }
  // ExecMethod_ and SWbemServices.ExecMethod: the method called with the values of an
  // in-parameters object (Nothing for none), answering an out-parameters object.
  CVariant ExecMethod(std::u16string_view methodName, const CVariant& inParameters);
  // Put_: the provider writes the instance; answers its path.
  CVariant Put();
  // Delete_ and SWbemServices.Delete.
  void Delete();
  // The object in MOF, as GetObjectText_ gives it, without the line break before it and the
  // semicolon after it (which an embedded object leaves to the property that holds it).
  [[nodiscard]] std::u16string MofText() const;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;
  CVariant InvokeUndeclared(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

 private:
  // A method of the class, called through its provider (static ones on the class too).
  CVariant CallProvider(const platform::SWmiMethod& method, std::span<CVariant> args);
  [[nodiscard]] CVariant SpawnInstance() const;
  [[nodiscard]] CVariant CompareTo(const CVariant& other) const;
  [[nodiscard]] CVariant ObjectSet(WbemInstances instances) const;
  // Associators_ and References_.
  [[nodiscard]] CVariant Associated(std::span<CVariant> args, bool references) const;
  [[nodiscard]] CVariant Path() const;
  [[nodiscard]] CVariant Derivation() const;
  [[nodiscard]] CVariant ObjectText() const;

  std::shared_ptr<SWbemInstance> m_instance;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
