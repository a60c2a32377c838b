#pragma once
// WScript.Shell: starts programs, reads the environment and the special folders, writes to the
// system log. What this system cannot do raises a clear error instead of doing nothing.

#include <string>

#include "engine/runtime/AutomationObject.h"
#include "platform/ChildProcess.h"

namespace quillet::engine {

class CWshShellObject : public CAutomationObject {
 public:
  CWshShellObject();

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  static CVariant SpecialFolders();
  static CVariant Environment(const CVariant& scope);
  // Throws Windows' error for a program that cannot be found or started.
  static platform::CChildProcess Start(const std::u16string& command, bool streams);
  static CVariant Run(std::span<CVariant> args);
  static CVariant Exec(const std::u16string& command);
  static CVariant CreateShortcut(const std::u16string& path);
  static CVariant Popup(std::span<CVariant> args);
  static CVariant LogEvent(std::span<CVariant> args);
  static CVariant CurrentDirectory();
  static void SetCurrentDirectory(const CVariant& folder);
};

// CreateObject("WScript.Shell").
[[nodiscard]] CDispatchObject* NewWshShell();

}  // namespace quillet::engine
