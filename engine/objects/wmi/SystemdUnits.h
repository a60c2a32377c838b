#pragma once
// The service units of systemd as the service provider needs them: read from the unit files
// (always), then brought up to date from systemctl when systemd runs the machine. Without it
// (a container, a chroot) every unit reads as stopped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine::systemd {

struct SUnit {
  std::string name;         // without ".service"
  std::string description;
  std::string execStart;    // the command line, without systemd's prefix characters
  std::string user;         // empty: root
  std::string fileState;    // enabled, disabled, static, masked, generated, ...
  std::string activeState = "inactive";  // active, activating, deactivating, reloading, inactive, failed
  uint32_t mainPid = 0;
  bool canStop = true;
  int32_t exitStatus = 0;   // of the main process, when it failed
};

struct SSetup {
  std::string systemctl = "systemctl";
  // Searched in order; a unit in an earlier folder hides one of the same name in a later one.
  std::vector<std::string> unitFolders;
  std::string configFolder;  // where enabling links are made: its *.wants and *.requires
  bool live = false;         // systemd runs the machine: ask systemctl for the state
  int timeoutMs = 5000;

  [[nodiscard]] static SSetup ForThisSystem();
};

// Every service unit, by name; templates (name@.service) and aliases are left out.
[[nodiscard]] std::vector<SUnit> ReadServiceUnits(const SSetup& setup);
// The blocks of "systemctl show" (Key=Value lines, units separated by empty lines) applied to
// the units they name; units it names that have no file are added.
void ApplyShowOutput(std::string_view output, std::vector<SUnit>& units);
// The command line in systemctl's ExecStart text: "{ path=... ; argv[]=/usr/sbin/cron -f ; ... }".
[[nodiscard]] std::string CommandOfExecStart(std::string_view text);

}  // namespace quillet::engine::systemd
