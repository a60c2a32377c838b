#include "engine/objects/wmi/SystemdUnits.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "engine/objects/wmi/BoundedCommand.h"
#include "engine/objects/wmi/MachineFiles.h"

namespace quillet::engine::systemd {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSuffix = ".service";

std::string Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return std::string(text);
}

// ExecStart=-/usr/bin/x: the characters before the path only change how systemd runs it.
std::string WithoutPrefixes(std::string command) {
  const size_t start = command.find_first_not_of("-@:+!");
  return start == std::string::npos ? std::string() : command.substr(start);
}

struct SFileFacts {
  std::string description, execStart, user;
  bool installable = false;  // has an [Install] section that enabling acts on
};

SFileFacts ReadUnitFile(const std::string& path) {
  SFileFacts facts;
  const std::string text = machine::ReadSmallFile(path).value_or(std::string());
  std::istringstream lines(text);
  std::string line, section, pending;
  while (std::getline(lines, line)) {
    // A line ending in a backslash goes on in the next one.
    if (!line.empty() && line.back() == '\\') {
      pending += line.substr(0, line.size() - 1) + " ";
      continue;
    }
    line = Trimmed(pending + line);
    pending.clear();
    if (line.empty() || line[0] == '#' || line[0] == ';') continue;
    if (line[0] == '[') {
      section = line;
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = Trimmed(std::string_view(line).substr(0, equals));
    const std::string value = Trimmed(std::string_view(line).substr(equals + 1));
    if (section == "[Unit]" && key == "Description") facts.description = value;
    if (section == "[Service]" && key == "ExecStart" && (facts.execStart.empty() || value.empty())) {
      facts.execStart = WithoutPrefixes(value);
    }
    if (section == "[Service]" && key == "User") facts.user = value;
    if (section == "[Install]" && (key == "WantedBy" || key == "RequiredBy" || key == "Alias") && !value.empty()) {
      facts.installable = true;
    }
  }
  return facts;
}

// The services enabled by a link in one of the folder's *.wants or *.requires folders.
std::set<std::string> EnabledNames(const std::string& configFolder) {
  std::set<std::string> names;
  std::error_code error;
  if (configFolder.empty()) return names;
  for (const auto& folder : fs::directory_iterator(configFolder, error)) {
    const std::string folderName = folder.path().filename().string();
    if (!folderName.ends_with(".wants") && !folderName.ends_with(".requires")) continue;
    std::error_code inner;
    for (const auto& link : fs::directory_iterator(folder.path(), inner)) names.insert(link.path().filename().string());
  }
  return names;
}

// A link to a unit of another name is an alias of it, listed under that name already.
bool IsAlias(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return false;
  const fs::path target = fs::read_symlink(path, error);
  return !error && target != "/dev/null" && target.filename() != path.filename();
}

bool IsMasked(const fs::path& path) {
  std::error_code error;
  return fs::is_symlink(path, error) && fs::read_symlink(path, error) == "/dev/null";
}

SUnit* FindUnit(std::vector<SUnit>& units, std::string_view name) {
  const auto found = std::find_if(units.begin(), units.end(), [&](const SUnit& unit) { return unit.name == name; });
  return found == units.end() ? nullptr : &*found;
}

void ApplyProperty(SUnit& unit, std::string_view key, const std::string& value) {
  if (key == "Description") unit.description = value;
  else if (key == "ExecStart") {
    if (const std::string command = CommandOfExecStart(value); !command.empty()) unit.execStart = command;
  } else if (key == "User") unit.user = value;
  else if (key == "UnitFileState" && !value.empty()) unit.fileState = value;
  else if (key == "ActiveState") unit.activeState = value;
  else if (key == "MainPID") unit.mainPid = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
  else if (key == "CanStop") unit.canStop = value == "yes";
  else if (key == "ExecMainStatus") unit.exitStatus = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
}

void AskSystemctl(const SSetup& setup, std::vector<SUnit>& units) {
  const SCommandResult listed = RunBounded(
      {setup.systemctl, "list-units", "--type=service", "--all", "--no-legend", "--plain", "--no-pager"},
      setup.timeoutMs);
  std::vector<std::string> names;
  for (const SUnit& unit : units) names.push_back(unit.name + std::string(kSuffix));
  if (listed.started && !listed.timedOut && listed.exitCode == 0) {
    std::istringstream lines(listed.output);
    std::string first;
    for (std::string line; std::getline(lines, line);) {
      std::istringstream fields(line);
      if (fields >> first && first.ends_with(kSuffix) && !FindUnit(units, first.substr(0, first.size() - kSuffix.size()))) {
        names.push_back(first);
      }
    }
  }
  if (names.empty()) return;
  std::vector<std::string> argv = {setup.systemctl, "show", "--no-pager",
                                   "--property=Id,Description,ExecStart,User,UnitFileState,ActiveState,MainPID,"
                                   "CanStop,ExecMainStatus,LoadState",
                                   "--"};
  argv.insert(argv.end(), names.begin(), names.end());
  const SCommandResult shown = RunBounded(argv, setup.timeoutMs);
  if (shown.started && !shown.timedOut) ApplyShowOutput(shown.output, units);
}

}  // namespace

SSetup SSetup::ForThisSystem() {
  SSetup setup;
  setup.unitFolders = {"/etc/systemd/system", "/run/systemd/system", "/usr/local/lib/systemd/system",
                       "/lib/systemd/system", "/usr/lib/systemd/system"};
  setup.configFolder = "/etc/systemd/system";
  // systemd's own test of whether it runs the machine.
  struct stat info{};
  setup.live = lstat("/run/systemd/system", &info) == 0 && S_ISDIR(info.st_mode);
  return setup;
}

std::string CommandOfExecStart(std::string_view text) {
  const size_t start = text.find("argv[]=");
  if (start == std::string_view::npos) return {};
  std::string_view rest = text.substr(start + 7);
  const size_t end = rest.find(" ;");
  return Trimmed(rest.substr(0, end));
}

std::vector<SUnit> ReadServiceUnits(const SSetup& setup) {
  std::vector<SUnit> units;
  std::set<std::string> seen;
  const std::set<std::string> enabled = EnabledNames(setup.configFolder);
  for (const std::string& folder : setup.unitFolders) {
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder, error)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
      const std::string fileName = path.filename().string();
      if (fileName.size() <= kSuffix.size() || !fileName.ends_with(kSuffix) ||
          fileName.ends_with("@" + std::string(kSuffix))) {
        continue;
      }
      if (!seen.insert(fileName).second || IsAlias(path)) continue;
      SUnit unit;
      unit.name = fileName.substr(0, fileName.size() - kSuffix.size());
      if (IsMasked(path)) {
        unit.fileState = "masked";
      } else {
        const SFileFacts facts = ReadUnitFile(path.string());
        unit.description = facts.description;
        unit.execStart = facts.execStart;
        unit.user = facts.user;
        unit.fileState = enabled.contains(fileName) ? "enabled" : facts.installable ? "disabled" : "static";
      }
      units.push_back(std::move(unit));
    }
  }
  if (setup.live) AskSystemctl(setup, units);
  std::sort(units.begin(), units.end(), [](const SUnit& a, const SUnit& b) { return a.name < b.name; });
  return units;
}

void ApplyShowOutput(std::string_view output, std::vector<SUnit>& units) {
  std::map<std::string, std::string> block;
  const auto flush = [&] {
    const std::string id = block["Id"];
    const bool notFound = block["LoadState"] == "not-found";
    if (id.size() > kSuffix.size() && id.ends_with(kSuffix) && !notFound) {
      const std::string name = id.substr(0, id.size() - kSuffix.size());
      SUnit* unit = FindUnit(units, name);
      if (unit == nullptr) {
        units.push_back(SUnit{});
        unit = &units.back();
        unit->name = name;
      }
      for (const auto& [key, value] : block) ApplyProperty(*unit, key, value);
    }
    block.clear();
  };
  std::istringstream lines{std::string(output)};
  for (std::string line; std::getline(lines, line);) {
    if (Trimmed(line).empty()) {
      flush();
      continue;
    }
    const size_t equals = line.find('=');
    if (equals != std::string::npos) block[line.substr(0, equals)] = line.substr(equals + 1);
  }
  flush();
}

}  // namespace quillet::engine::systemd
