#pragma once
// SWbemEventSource: what ExecNotificationQuery gives. NextEvent waits for the next event of the
// query, up to a time-out, and raises Windows' time-out error when none came.

#include <memory>

#include "engine/objects/wmi/WbemEventWatch.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemEventSourceObject : public CAutomationObject {
 public:
  explicit CWbemEventSourceObject(std::unique_ptr<CWbemEventWatch> watch);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant NextEvent(const CVariant& timeoutMs);

  std::unique_ptr<CWbemEventWatch> m_watch;
};

}  // namespace quillet::engine
