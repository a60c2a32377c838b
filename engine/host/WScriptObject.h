#pragma once
// The WScript object of the console host.

#include <string>
#include <vector>

#include "engine/runtime/AutomationObject.h"
#include "engine/host/OutputStream.h"

namespace quillet::engine::host {

struct SHostInfo {
  std::u16string scriptFullName;  // absolute path
  std::u16string scriptName;      // file name only
  std::u16string hostFullName;    // this executable
  std::vector<std::u16string> arguments;
  bool interactive = true;
  int timeoutSeconds = 0;
  bool windowed = false;      // the windowed host: no standard streams
  bool echoInWindow = false;  // Echo shows a message box rather than writing a line
};

class CWScriptObject : public CAutomationObject {
 public:
  CWScriptObject(SHostInfo info, COutputStream& out, COutputStream& err);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  CVariant Echo(std::span<CVariant> args);
  CVariant Stream(const CVariant& stream) const;
  CVariant Sleep(const CVariant& milliseconds);

  SHostInfo m_info;
  COutputStream& m_out;
  CVariant m_stdOut;
  CVariant m_stdErr;
  CVariant m_stdIn;
  CVariant m_arguments;
};

}  // namespace quillet::engine::host
