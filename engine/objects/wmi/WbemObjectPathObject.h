#pragma once
// SWbemObjectPath: where an object lives, as Path_ gives it. Scripts may also edit it: the
// parts (Path, RelPath, Server, Namespace, Class, DisplayName), its keys through Keys (a
// named value set tied to the path) and SetAsClass / SetAsSingleton. The relative path is
// always made from the class and the keys, keys in alphabetical order as Windows writes them.

#include <memory>
#include <string>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemNamedValueSetObject.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

struct SWbemPathParts {
  std::u16string server;     // the computer's own name
  std::u16string nameSpace;  // "root\cimv2"
  std::u16string className;
  bool isSingleton = false;  // Class=@
  std::shared_ptr<WbemNamedValues> keys = std::make_shared<WbemNamedValues>();
};

class CWbemObjectPathObject : public CAutomationObject {
 public:
  CWbemObjectPathObject(SWbemPathParts parts, SWbemConnection connection);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] std::u16string RelPath() const;
  [[nodiscard]] std::u16string FullPath() const;
  [[nodiscard]] std::u16string DisplayName() const;
  [[nodiscard]] bool IsClass() const { return !m_parts.isSingleton && m_parts.keys->empty(); }
  void SetRelPath(std::u16string_view text);
  void SetPath(std::u16string_view text);
  void SetDisplayName(std::u16string_view text);
  CVariant Write(const om::SMember& member, const CVariant& value);

  SWbemPathParts m_parts;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
