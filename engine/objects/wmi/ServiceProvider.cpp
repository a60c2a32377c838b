#include "engine/objects/wmi/ServiceProvider.h"

#include <algorithm>

#include "engine/objects/wmi/BoundedCommand.h"
#include "engine/objects/wmi/MachineFiles.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WbemValues.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

using namespace wbem_value;

// The return values of the service methods, as Windows numbers them.
constexpr int32_t kSuccess = 0;
constexpr int32_t kNotSupported = 1;
constexpr int32_t kAccessDenied = 2;
constexpr int32_t kCannotAcceptControl = 5;
constexpr int32_t kRequestTimeout = 7;
constexpr int32_t kUnknownFailure = 8;
constexpr int32_t kAlreadyRunning = 10;
constexpr int32_t kDependencyFailure = 13;
constexpr int32_t kServiceDisabled = 14;
constexpr int32_t kInvalidParameter = 21;

constexpr int32_t kServiceSpecificError = 1066;

std::u16string StateOf(const systemd::SUnit& unit) {
  const std::string& state = unit.activeState;
  if (state == "active" || state == "reloading") return u"Running";
  if (state == "activating") return u"Start Pending";
  if (state == "deactivating") return u"Stop Pending";
  return u"Stopped";
}

// Enabled units start with the system; a masked one cannot be started at all; the rest are
// started when asked or when another unit needs them.
std::u16string StartModeOf(const systemd::SUnit& unit) {
  const std::string& state = unit.fileState;
  if (state.starts_with("enabled") || state == "generated") return u"Auto";
  if (state.starts_with("masked")) return u"Disabled";
  return u"Manual";
}

bool IsRunning(const systemd::SUnit& unit) {
  return unit.activeState == "active" || unit.activeState == "reloading" || unit.activeState == "activating";
}

std::shared_ptr<SWbemInstance> InstanceOf(const platform::SWmiClass& cls, const systemd::SUnit& unit,
                                          const CVariant& host) {
  auto service = std::make_shared<SWbemInstance>(cls);
  const CVariant name = Text(unit.name);
  const CVariant displayName = unit.description.empty() ? name : Text(unit.description);
  const std::u16string state = StateOf(unit);
  service->Set(u"Name", name);
  service->Set(u"DisplayName", displayName);
  service->Set(u"Caption", displayName);
  service->Set(u"Description", unit.description.empty() ? CVariant::Null() : Text(unit.description));
  service->Set(u"State", Text(state));
  service->Set(u"Started", CVariant::Boolean(state == u"Running"));
  service->Set(u"StartMode", Text(StartModeOf(unit)));
  service->Set(u"Status", Text(unit.activeState == "failed" ? u"Error" : u"OK"));
  service->Set(u"ProcessId", Uint32(state == u"Stopped" ? 0 : unit.mainPid));
  if (!unit.execStart.empty()) service->Set(u"PathName", Text(unit.execStart));
  service->Set(u"ServiceType", Text(u"Own Process"));
  service->Set(u"AcceptStop", CVariant::Boolean(state == u"Running" && unit.canStop));
  service->Set(u"AcceptPause", CVariant::Boolean(false));
  service->Set(u"DesktopInteract", CVariant::Boolean(false));
  service->Set(u"DelayedAutoStart", CVariant::Boolean(false));
  service->Set(u"ErrorControl", Text(u"Normal"));
  const bool failed = unit.activeState == "failed";
  service->Set(u"ExitCode", Uint32(failed ? kServiceSpecificError : 0));
  service->Set(u"ServiceSpecificExitCode", Uint32(failed ? static_cast<uint32_t>(unit.exitStatus) : 0));
  service->Set(u"CheckPoint", Uint32(0));
  service->Set(u"WaitHint", Uint32(0));
  service->Set(u"StartName", Text(unit.user.empty() || unit.user == "root" ? std::string("LocalSystem") : unit.user));
  service->Set(u"CreationClassName", Text(u"Win32_Service"));
  service->Set(u"SystemCreationClassName", Text(u"Win32_ComputerSystem"));
  service->Set(u"SystemName", host);
  return service;
}

bool Mentions(std::string_view output, std::string_view what) {
  const auto lowered = [](std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
  };
  return lowered(output).find(lowered(what)) != std::string::npos;
}

}  // namespace

int32_t CServiceProvider::ReturnValueOfFailure(bool started, bool timedOut, std::string_view output) {
  if (!started) return kNotSupported;
  if (timedOut) return kRequestTimeout;
  if (Mentions(output, "access denied") || Mentions(output, "authentication") || Mentions(output, "permission denied") ||
      Mentions(output, "not permitted")) {
    return kAccessDenied;
  }
  if (Mentions(output, "masked")) return kServiceDisabled;
  // No service manager to ask: a container, a chroot, a system without systemd.
  if (Mentions(output, "not been booted with systemd") || Mentions(output, "failed to connect to bus")) {
    return kNotSupported;
  }
  if (Mentions(output, "dependency")) return kDependencyFailure;
  if (Mentions(output, "not found") || Mentions(output, "not loaded")) return kCannotAcceptControl;
  return kUnknownFailure;
}

void CServiceProvider::Enumerate(const platform::SWmiClass& cls, const SWqlCondition*, WbemInstances& out) {
  const CVariant host = Text(machine::HostName());
  for (const systemd::SUnit& unit : systemd::ReadServiceUnits(m_setup)) out.push_back(InstanceOf(cls, unit, host));
}

// The unit as systemd has it now, since the instance may be old by the time a method is called.
systemd::SUnit CServiceProvider::CurrentUnit(const SWbemInstance& instance) const {
  systemd::SUnit unit;
  const auto text = [&](std::u16string_view property) {
    const CVariant& value = instance.Get(property);
    return value.IsNull() ? std::u16string() : value.ToString();
  };
  unit.name = platform::Utf16ToUtf8(text(u"Name"));
  const std::u16string mode = text(u"StartMode");
  unit.fileState = mode == u"Disabled" ? "masked" : mode == u"Auto" ? "enabled" : "disabled";
  unit.activeState = text(u"State") == u"Running" ? "active" : "inactive";
  if (!m_setup.live) return unit;
  const SCommandResult shown =
      RunBounded({m_setup.systemctl, "show", "--no-pager", "--property=Id,ActiveState,UnitFileState,CanStop,MainPID,LoadState",
                  "--", unit.name + ".service"},
                 m_setup.timeoutMs);
  if (shown.started && !shown.timedOut && shown.exitCode == 0) {
    std::vector<systemd::SUnit> units{unit};
    systemd::ApplyShowOutput(shown.output, units);
    unit = units.front();
  }
  return unit;
}

int32_t CServiceProvider::Systemctl(const std::vector<std::string>& arguments) const {
  std::vector<std::string> argv = {m_setup.systemctl, "--no-ask-password"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const SCommandResult result = RunBounded(argv, m_setup.timeoutMs);
  if (result.started && !result.timedOut && result.exitCode == 0) return kSuccess;
  return ReturnValueOfFailure(result.started, result.timedOut, result.output);
}

int32_t CServiceProvider::ChangeStartMode(const systemd::SUnit& unit, std::u16string_view mode) const {
  using wbem_text::SameName;
  const std::string file = unit.name + ".service";
  const bool automatic = SameName(mode, u"Automatic") || SameName(mode, u"Auto");
  if (!automatic && !SameName(mode, u"Manual") && !SameName(mode, u"Disabled")) return kInvalidParameter;
  if (SameName(mode, u"Disabled")) return Systemctl({"mask", "--", file});
  if (unit.fileState.starts_with("masked")) {
    if (const int32_t unmasked = Systemctl({"unmask", "--", file}); unmasked != kSuccess) return unmasked;
  }
  return Systemctl({automatic ? "enable" : "disable", "--", file});
}

CVariant CServiceProvider::CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method,
                                      std::span<CVariant> args) {
  using wbem_text::SameName;
  const bool start = SameName(method.name, u"StartService");
  const bool stop = SameName(method.name, u"StopService");
  const bool changeMode = SameName(method.name, u"ChangeStartMode");
  if (!start && !stop && !changeMode) return CWbemProvider::CallMethod(instance, method, args);
  const systemd::SUnit unit = CurrentUnit(instance);
  const std::string file = unit.name + ".service";
  if (changeMode) {
    const std::u16string mode = args.empty() ? std::u16string() : args[0].Deref().ToString();
    return CVariant::Long(ChangeStartMode(unit, mode));
  }
  if (start) {
    if (unit.fileState.starts_with("masked")) return CVariant::Long(kServiceDisabled);
    if (IsRunning(unit)) return CVariant::Long(kAlreadyRunning);
    // Not waiting for the start to finish: scripts poll State, as they do on Windows.
    return CVariant::Long(Systemctl({"start", "--no-block", "--", file}));
  }
  if (!IsRunning(unit) || !unit.canStop) return CVariant::Long(kCannotAcceptControl);
  return CVariant::Long(Systemctl({"stop", "--no-block", "--", file}));
}

}  // namespace quillet::engine
