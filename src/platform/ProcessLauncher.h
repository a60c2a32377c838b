#pragma once
// Starts a described command line as a process: the line is split by the rules it was written
// for, and its program NAME.exe is looked up as NAME.exe or NAME (in either spelling's lower
// case too, since the hosts are installed under lower-case names), first in the editor's own
// folder, then along PATH. Redirected, the child's standard input, output and error are pipes
// and it runs in a session of its own, with no terminal.

#include <string>
#include <string_view>
#include <variant>

#include "platform/ChildProcess.h"

namespace quillet::platform {

// The folder of the running executable.
[[nodiscard]] std::string OwnProgramFolder();

class CProcessLauncher {
 public:
  CProcessLauncher();
  // programFolder takes the place of the editor's own folder (tests, a host built elsewhere).
  explicit CProcessLauncher(std::string programFolder) : m_programFolder(std::move(programFolder)) {}

  // The executable's path, or empty when none of the spellings is found.
  [[nodiscard]] std::string FindProgram(std::u16string_view name) const;

  // The process, or a message that says why it could not be started.
  [[nodiscard]] std::variant<CChildProcess, std::u16string> Launch(std::u16string_view commandLine,
                                                                   bool redirect) const;

 private:
  std::string m_programFolder;
};

}  // namespace quillet::platform
