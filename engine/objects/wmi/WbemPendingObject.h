#pragma once
// An object of the library whose members this system does not provide yet: every member is
// declared (so that the type library, IntelliSense and the debugger know it) and each call
// raises "Not available" naming the member, instead of a misleading "Object doesn't support".

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemPendingObject : public CAutomationObject {
 public:
  explicit CWbemPendingObject(const CDispatchTable& table) : CAutomationObject(table) {}

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;
};

}  // namespace quillet::engine
