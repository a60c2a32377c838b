#pragma once
// WScript.Network: the user and the machine, the network file systems mounted here and the
// printers. Connecting drives and printers is not something a script may do on this system:
// those members raise a clear error.

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWshNetworkObject : public CAutomationObject {
 public:
  CWshNetworkObject();

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  static CVariant NetworkDrives();
  static CVariant PrinterConnections();
};

// CreateObject("WScript.Network").
[[nodiscard]] CDispatchObject* NewWshNetwork();

}  // namespace quillet::engine
