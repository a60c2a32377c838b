#pragma once
// The script hosts running on the machine, whoever started them: the processes whose image name
// (the name Win32_Process gives them, ProcProcess.h) is the windowed host "wscript" or the
// console host the settings name, each with or without ".exe" and without regard to case.
// Ending one checks first that the id still names the process that was listed, so that an id
// the system has since given to another program is never signalled.

#include <sys/types.h>

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace quillet::platform {

struct SScriptHostProcess {
  pid_t processId = 0;
  std::u16string name;
  std::u16string commandLine;  // empty when the process shows none
  std::time_t creationTime = 0;  // 0 when unknown
  uint64_t startTicks = 0;  // when it started, in clock ticks since boot: tells it from a later process of that id
};

class CScriptHostProcessTable {
 public:
  // consoleHost: the "Engine"/"CScript" setting, the console host's name without ".exe".
  explicit CScriptHostProcessTable(const std::u16string& consoleHost);

  [[nodiscard]] bool IsScriptHost(std::string_view imageName) const;

  // The script hosts in the order /proc lists them; nullopt with the error number when /proc
  // cannot be read.
  [[nodiscard]] std::optional<std::vector<SScriptHostProcess>> List(int& error) const;

  // Asks the process to end (SIGTERM). 0, or the error number: ESRCH when it has ended (or its
  // id now names another process), EPERM when it belongs to someone else.
  [[nodiscard]] static int Terminate(const SScriptHostProcess& process);

 private:
  [[nodiscard]] bool MayBeScriptHost(std::string_view comm) const;

  std::vector<std::string> m_names;  // lower case, with and without ".exe"
};

}  // namespace quillet::platform
