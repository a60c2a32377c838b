#include "engine/objects/wmi/ProcessProvider.h"

#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <variant>
#include <string>
#include <vector>

#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wsh/DetachedChildren.h"
#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/CommandLineSplit.h"
#include "platform/DriveMap.h"
#include "platform/ProcProcess.h"
#include "platform/ProcessLauncher.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

std::optional<std::string> ExecutablePath(const std::string& folder) {
  std::string target(4096, '\0');
  const ssize_t length = readlink((folder + "/exe").c_str(), target.data(), target.size());
  if (length <= 0) return std::nullopt;
  target.resize(static_cast<size_t>(length));
  return target;
}

struct SSystemFacts {
  std::string host = machine::HostName();
  std::string osName = machine::OsReleaseField("PRETTY_NAME");
  std::time_t bootTime = machine::BootTime();
  long ticks = machine::ClockTicksPerSecond();
  uint64_t pageSize = static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
};

void FillFromStatus(SWbemInstance& p, const std::string& folder) {
  const std::optional<std::string> status = machine::ReadSmallFile(folder + "/status");
  if (!status) return;
  if (const auto peak = machine::FieldNumber(*status, "VmPeak")) p.Set(u"PeakVirtualSize", Uint64(*peak * 1024));
  if (const auto hwm = machine::FieldNumber(*status, "VmHWM")) p.Set(u"PeakWorkingSetSize", Uint32(static_cast<uint32_t>(*hwm)));
  if (const auto swap = machine::FieldNumber(*status, "VmSwap")) p.Set(u"PageFileUsage", Uint32(static_cast<uint32_t>(*swap)));
  if (const auto data = machine::FieldNumber(*status, "RssAnon")) p.Set(u"PrivatePageCount", Uint64(*data * 1024));
}

std::shared_ptr<SWbemInstance> ReadProcess(const platform::SWmiClass& cls, const std::string& pid,
                                           const SSystemFacts& facts, const SWqlCondition* early) {
  const std::string folder = "/proc/" + pid;
  const std::optional<platform::SProcStat> stat = platform::ReadProcStat(folder);
  if (!stat) return nullptr;  // ended meanwhile
  // A process that has ended but whose parent has not yet collected its exit status is gone
  // for scripts, as an exited process is on Windows.
  if (stat->HasEnded()) return nullptr;
  auto p = std::make_shared<SWbemInstance>(cls);
  std::string firstArgument;
  const std::string commandLine = platform::ReadProcCommandLine(folder, firstArgument);
  const CVariant name = Text(platform::ProcessImageName(stat->comm, firstArgument));
  p->Set(u"Name", name);
  p->Set(u"Caption", name);
  p->Set(u"Description", name);
  p->Set(u"Handle", Text(pid));
  p->Set(u"ProcessId", Uint32(static_cast<uint32_t>(std::strtoul(pid.c_str(), nullptr, 10))));
  p->Set(u"ParentProcessId", Uint32(static_cast<uint32_t>(stat->Number(4))));
  if (early != nullptr && !WqlMatches(*early, [&](std::u16string_view property) { return p->Get(property); })) {
    return nullptr;
  }
  if (!commandLine.empty()) p->Set(u"CommandLine", Text(commandLine));
  if (const auto exe = ExecutablePath(folder)) p->Set(u"ExecutablePath", Text(*exe));
  p->Set(u"ThreadCount", Uint32(static_cast<uint32_t>(stat->Number(20))));
  p->Set(u"PageFaults", Uint32(static_cast<uint32_t>(stat->Number(10) + stat->Number(12))));
  // Processor times count clock ticks; the service counts 100-nanosecond units.
  const uint64_t unitsPerTick = 10000000 / static_cast<uint64_t>(facts.ticks);
  p->Set(u"UserModeTime", Uint64(stat->Number(14) * unitsPerTick));
  p->Set(u"KernelModeTime", Uint64(stat->Number(15) * unitsPerTick));
  p->Set(u"VirtualSize", Uint64(stat->Number(23)));
  p->Set(u"WorkingSetSize", Uint64(stat->Number(24) * facts.pageSize));
  if (facts.bootTime != 0) {
    const uint64_t startTicks = stat->Number(22);
    const auto started = facts.bootTime + static_cast<std::time_t>(startTicks / static_cast<uint64_t>(facts.ticks));
    const auto micros = static_cast<int32_t>((startTicks % static_cast<uint64_t>(facts.ticks)) * 1000000 /
                                             static_cast<uint64_t>(facts.ticks));
    p->Set(u"CreationDate", DateTime(started, micros));
  }
  FillFromStatus(*p, folder);
  p->Set(u"CreationClassName", Text(u"Win32_Process"));
  p->Set(u"CSCreationClassName", Text(u"Win32_ComputerSystem"));
  p->Set(u"OSCreationClassName", Text(u"Win32_OperatingSystem"));
  p->Set(u"CSName", Text(facts.host));
  if (!facts.osName.empty()) p->Set(u"OSName", Text(facts.osName));
  return p;
}

// The return values of the process methods, as Windows numbers them.
constexpr int32_t kSuccess = 0;
constexpr int32_t kAccessDenied = 2;
constexpr int32_t kUnknownFailure = 8;

CVariant Terminate(const SWbemInstance& process) {
  const auto pid = static_cast<pid_t>(process.Get(u"ProcessId").ToLong());
  if (pid <= 0) return CVariant::Long(kUnknownFailure);
  if (kill(pid, SIGKILL) == 0) return CVariant::Long(kSuccess);
  return CVariant::Long(errno == EPERM ? kAccessDenied : kUnknownFailure);
}

constexpr int32_t kPathNotFound = 9;
constexpr int32_t kInvalidParameter = 21;

// The folder a script names, through its drive letters; empty when it names none.
std::optional<std::string> WorkingFolder(const CVariant& given) {
  if (given.IsNull() || given.IsEmpty() || given.Type() == EVarType::Error) return std::string();
  const std::u16string text = given.ToString();
  if (text.empty()) return std::string();
  const platform::CDriveMap drives = platform::CDriveMap::ForUser();
  const platform::SHostPath host = drives.ToHost(drives.Absolute(text, platform::CDriveMap::CurrentFolder()));
  struct stat info{};
  if (host.problem != platform::EHostPathProblem::None || stat(host.path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return std::nullopt;
  }
  return host.path;
}

// Starts a program that runs on by itself, as the service starts one for a script: not tied
// to the script's console, and collected once it ends rather than left dead.
CVariant Create(std::span<CVariant> args) {
  SetOutParameter(args, 3, CVariant::Null());
  const CVariant commandLine = args.empty() ? CVariant() : args[0].Deref();
  if (commandLine.IsNull() || commandLine.IsEmpty() || commandLine.IsObject() || commandLine.IsArray()) {
    return CVariant::Long(kInvalidParameter);
  }
  const std::u16string text = commandLine.ToString();
  if (wbem_text::Trimmed(text).empty()) return CVariant::Long(kInvalidParameter);
  const std::vector<std::u16string> words = platform::SplitCommandLine(text);
  const platform::CProcessLauncher launcher;
  if (words.empty() || words.front().empty() || launcher.FindProgram(words.front()).empty()) {
    return CVariant::Long(kPathNotFound);
  }
  const std::optional<std::string> folder = WorkingFolder(args.size() > 1 ? args[1].Deref() : CVariant());
  if (!folder) return CVariant::Long(kPathNotFound);
  auto started = launcher.LaunchDetached(text, *folder);
  auto* child = std::get_if<platform::CChildProcess>(&started);
  if (child == nullptr) return CVariant::Long(kUnknownFailure);
  const pid_t pid = child->Detach();
  wsh::AdoptDetachedChild(pid);
  SetOutParameter(args, 3, Uint32(static_cast<uint32_t>(pid)));
  return CVariant::Long(kSuccess);
}

// The user who owns the process, and this computer's name as the domain.
CVariant GetOwner(const SWbemInstance& process, std::span<CVariant> args) {
  struct stat info{};
  const std::string folder = "/proc/" + std::to_string(process.Get(u"ProcessId").ToLong());
  if (stat(folder.c_str(), &info) != 0) return CVariant::Long(kUnknownFailure);
  const passwd* user = getpwuid(info.st_uid);
  const std::string name = user != nullptr && user->pw_name != nullptr ? user->pw_name : std::to_string(info.st_uid);
  const std::string host = machine::HostName();
  SetOutParameter(args, 0, Text(name));
  SetOutParameter(args, 1, Text(host.substr(0, host.find('.'))));
  return CVariant::Long(kSuccess);
}

// A condition on the properties read first (name and ids) is tested before the rest of the
// process is read, so that "WHERE Name = 'x'" costs little more than listing /proc.
bool DecidedEarly(const SWqlCondition& where) {
  static constexpr std::u16string_view kEarly[] = {u"Name",   u"Caption",  u"Description",
                                                   u"Handle", u"ProcessId", u"ParentProcessId"};
  std::vector<std::u16string> read;
  CollectWqlProperties(where, read);
  return std::all_of(read.begin(), read.end(), [](const std::u16string& name) {
    return std::any_of(std::begin(kEarly), std::end(kEarly),
                       [&](std::u16string_view early) { return wbem_text::SameName(name, early); });
  });
}

}  // namespace

void CProcessProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) {
  // Programs the script started and that have ended are collected first, so that a script
  // waiting for one to go sees it gone, as on Windows, rather than as a dead entry.
  wsh::ReapDetachedChildren();
  DIR* proc = opendir("/proc");
  if (proc == nullptr) return;
  const SSystemFacts facts;
  const SWqlCondition* early = where != nullptr && DecidedEarly(*where) ? where : nullptr;
  while (const dirent* entry = readdir(proc)) {
    if (!platform::IsProcessFolderName(entry->d_name)) continue;
    if (auto process = ReadProcess(cls, entry->d_name, facts, early)) out.push_back(std::move(process));
  }
  closedir(proc);
}

CVariant CProcessProvider::CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method,
                                      std::span<CVariant> args) {
  if (wbem_text::SameName(method.name, u"Create")) return Create(args);
  if (wbem_text::SameName(method.name, u"Terminate")) return Terminate(instance);
  if (wbem_text::SameName(method.name, u"GetOwner")) return GetOwner(instance, args);
  return CWbemProvider::CallMethod(instance, method, args);
}

}  // namespace quillet::engine
