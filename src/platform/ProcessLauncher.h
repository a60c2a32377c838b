#pragma once
// Starts a described command line as a process: the line is split by the rules it was written
// for, and its program NAME.exe is looked up as NAME.exe or NAME (in either spelling's lower
// case too, since the hosts are installed under lower-case names), first in the editor's own
// folder, then along PATH. Redirected, the child's standard input, output and error are pipes
// and it runs in a session of its own, with no terminal.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

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
  // Redirected with standard error on a pipe of its own (TakeErrorFd), for callers that read
  // the two apart.
  [[nodiscard]] std::variant<CChildProcess, std::u16string> LaunchWithSeparateError(
      std::u16string_view commandLine) const;
  // Not redirected, in a terminal window of its own, as a console program expects; the
  // terminal is the one the system names as its default, found along PATH. Without one the
  // program inherits the editor's streams.
  [[nodiscard]] std::variant<CChildProcess, std::u16string> LaunchInTerminal(std::u16string_view commandLine) const;

  // On its own, as a service starts a program for a script: standard streams on /dev/null, a
  // session of its own, in workingFolder (the current folder when empty).
  [[nodiscard]] std::variant<CChildProcess, std::u16string> LaunchDetached(std::u16string_view commandLine,
                                                                           const std::string& workingFolder) const;

  static constexpr std::u16string_view kTerminalProgram = u"x-terminal-emulator";

 private:
  enum class EStreams { Inherited, Redirected, SeparateError, Nothing };
  // argv holds what goes before the program (a terminal and its switch), if anything.
  [[nodiscard]] std::variant<CChildProcess, std::u16string> Start(std::u16string_view commandLine, EStreams streams,
                                                                  std::vector<std::string> argv,
                                                                  const std::string& workingFolder = {}) const;

  std::string m_programFolder;
};

}  // namespace quillet::platform
