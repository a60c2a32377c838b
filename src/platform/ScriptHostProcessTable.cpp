#include "platform/ScriptHostProcessTable.h"

#include <dirent.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/FileBytes.h"
#include "platform/ProcProcess.h"
#include "platform/TextConvert.h"

namespace quillet::platform {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), Lower);
  return lowered;
}

std::time_t BootTime() {
  std::string stat;
  if (!ReadFileBytes("/proc/stat", stat)) return 0;
  const size_t at = stat.find("\nbtime ");
  return at == std::string::npos ? 0 : static_cast<std::time_t>(std::strtoll(stat.c_str() + at + 7, nullptr, 10));
}

long ClockTicksPerSecond() {
  const long ticks = sysconf(_SC_CLK_TCK);
  return ticks > 0 ? ticks : 100;
}

// True when the id still names a live process that started at startTicks.
bool IsSameLiveProcess(pid_t pid, uint64_t startTicks) {
  const std::optional<SProcStat> stat = ReadProcStat("/proc/" + std::to_string(pid));
  return stat && !stat->HasEnded() && stat->Number(22) == startTicks;
}

}  // namespace

CScriptHostProcessTable::CScriptHostProcessTable(const std::u16string& consoleHost) {
  for (const std::string& host : {std::string("wscript"), Lowered(Utf16ToUtf8(consoleHost))}) {
    if (host.empty()) continue;
    m_names.push_back(host);
    m_names.push_back(host + ".exe");
  }
}

bool CScriptHostProcessTable::IsScriptHost(std::string_view imageName) const {
  return std::find(m_names.begin(), m_names.end(), Lowered(imageName)) != m_names.end();
}

// The image name is the kernel's name or begins with it, so only a process whose kernel name
// begins one of the hosts' names needs its command line read.
bool CScriptHostProcessTable::MayBeScriptHost(std::string_view comm) const {
  const std::string lowered = Lowered(comm);
  return std::any_of(m_names.begin(), m_names.end(), [&](const std::string& name) { return name.starts_with(lowered); });
}

std::optional<std::vector<SScriptHostProcess>> CScriptHostProcessTable::List(int& error) const {
  DIR* proc = opendir("/proc");
  if (proc == nullptr) {
    error = errno;
    return std::nullopt;
  }
  const std::time_t bootTime = BootTime();
  const auto ticks = static_cast<uint64_t>(ClockTicksPerSecond());
  std::vector<SScriptHostProcess> hosts;
  while (const dirent* entry = readdir(proc)) {
    if (!IsProcessFolderName(entry->d_name)) continue;
    const std::string folder = std::string("/proc/") + entry->d_name;
    const std::optional<SProcStat> stat =
        ReadProcStatIf(folder, [this](std::string_view comm) { return MayBeScriptHost(comm); });
    if (!stat || stat->HasEnded()) continue;
    std::string firstArgument;
    const std::string commandLine = ReadProcCommandLine(folder, firstArgument);
    const std::string name = ProcessImageName(stat->comm, firstArgument);
    if (!IsScriptHost(name)) continue;
    SScriptHostProcess host;
    host.processId = static_cast<pid_t>(std::strtol(entry->d_name, nullptr, 10));
    host.name = Utf8ToUtf16(name);
    host.commandLine = Utf8ToUtf16(commandLine);
    host.startTicks = stat->Number(22);
    if (bootTime != 0) host.creationTime = bootTime + static_cast<std::time_t>(host.startTicks / ticks);
    hosts.push_back(std::move(host));
  }
  closedir(proc);
  error = 0;
  return hosts;
}

int CScriptHostProcessTable::Terminate(const SScriptHostProcess& process) {
  if (process.processId <= 0) return ESRCH;
  // A process handle pins the id while it is checked, so the signal cannot reach a newcomer.
  const int handle = static_cast<int>(syscall(SYS_pidfd_open, process.processId, 0));
  if (handle < 0 && errno != ENOSYS) return errno;
  int result = 0;
  if (!IsSameLiveProcess(process.processId, process.startTicks)) {
    result = ESRCH;
  } else if (handle >= 0 ? syscall(SYS_pidfd_send_signal, handle, SIGTERM, nullptr, 0) != 0
                         : kill(process.processId, SIGTERM) != 0) {
    result = errno;
  }
  if (handle >= 0) close(handle);
  return result;
}

}  // namespace quillet::platform
