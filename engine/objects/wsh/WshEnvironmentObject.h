#pragma once
// WshEnvironment: one set of environment variables. "Process" is the real environment of the
// running script, so that programs it starts inherit what it sets; "Volatile" lives as long as
// the run; "System" and "User" belong to the script registry.

#include <string>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWshEnvironmentObject : public CAutomationObject {
 public:
  enum class EScope { Process, Volatile, System, User };
  explicit CWshEnvironmentObject(EScope scope);
  // The scope Environment(name) names; throws 5 for a name that is none of them.
  [[nodiscard]] static EScope ScopeNamed(std::u16string_view name);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] std::u16string Read(const std::u16string& name) const;
  void Write(const std::u16string& name, const std::u16string& value);
  void Remove(const std::u16string& name);
  // Every variable as NAME=value.
  [[nodiscard]] std::vector<std::u16string> Entries() const;
  [[nodiscard]] bool InRegistry() const;
  [[nodiscard]] std::u16string RegistryKey() const;

  EScope m_scope;
};

}  // namespace quillet::engine
