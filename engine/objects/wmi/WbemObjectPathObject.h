#pragma once
// SWbemObjectPath: where an object lives, as Path_ gives it.

#include <string>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

struct SWbemPathParts {
  std::u16string server;     // the computer's own name
  std::u16string nameSpace;  // "root\cimv2"
  std::u16string className;
  std::u16string relPath;    // Class.Key="v", Class=@ or Class
  bool isClass = false;
  bool isSingleton = false;
};

class CWbemObjectPathObject : public CAutomationObject {
 public:
  CWbemObjectPathObject(SWbemPathParts parts, SWbemConnection connection);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] std::u16string FullPath() const;
  [[nodiscard]] std::u16string DisplayName() const;

  SWbemPathParts m_parts;
  SWbemConnection m_connection;
};

}  // namespace quillet::engine
