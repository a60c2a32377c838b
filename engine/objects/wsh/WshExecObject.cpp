#include "engine/objects/wsh/WshExecObject.h"

#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/objects/wsh/ExecTextStream.h"
#include "engine/objects/wsh/WshClasses.h"

namespace quillet::engine {

// The drain stops reading first, so that the program is never left writing into a pipe
// nobody will empty while it runs on by itself.
SExecProcess::~SExecProcess() {
  drain.reset();
  if (!child.HasEnded(0)) wsh::AdoptDetachedChild(child.Detach());
}

CWshExecObject::CWshExecObject(platform::CChildProcess child)
    : CAutomationObject(DispatchTableOf<kWshExecClass>()), m_process(std::make_shared<SExecProcess>()) {
  m_process->processId = static_cast<int>(child.ProcessId());
  const int outputFd = child.TakeOutputFd();
  const int errorFd = child.TakeErrorFd();
  m_process->child = std::move(child);
  m_process->drain = std::make_unique<wsh::CPipeDrain>(outputFd, errorFd);
}

CVariant CWshExecObject::InvokeMember(const om::SMember& member, std::span<CVariant>) {
  namespace id = wsh_exec_id;
  switch (member.dispId) {
    case id::Status: return CVariant::Long(m_process->child.HasEnded(0) ? 1 : 0);
    case id::StdIn:
    case id::StdOut:
    case id::StdErr: {
      const int index = member.dispId - id::StdIn;
      if (m_streams[index].IsEmpty()) {
        const auto kind = static_cast<CExecTextStream::EKind>(index);
        m_streams[index] = CVariant::Object(new CExecTextStream(m_process, kind));
      }
      return m_streams[index];
    }
    case id::ProcessID: return CVariant::Long(m_process->processId);
    case id::ExitCode: return CVariant::Long(m_process->child.HasEnded(0) ? m_process->child.ExitCode() : 0);
    case id::Terminate: m_process->child.Terminate(); return {};
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine
