#pragma once
// WshExec: a program Exec started, with its standard input, output and error as text streams.
// Its output is drained as it comes (see CPipeDrain), so that no way of reading can deadlock.
// A program still running when the script lets go of the object runs on, as on Windows.

#include <memory>

#include "engine/runtime/AutomationObject.h"
#include "engine/objects/wsh/PipeDrain.h"
#include "platform/ChildProcess.h"

namespace quillet::engine {

struct SExecProcess {
  platform::CChildProcess child;
  std::unique_ptr<wsh::CPipeDrain> drain;
  int processId = 0;
  ~SExecProcess();
};

class CWshExecObject : public CAutomationObject {
 public:
  explicit CWshExecObject(platform::CChildProcess child);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SExecProcess> m_process;
  CVariant m_streams[3];  // made on first use, then the same object each time
};

}  // namespace quillet::engine
