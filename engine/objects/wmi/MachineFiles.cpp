#include "engine/objects/wmi/MachineFiles.h"

#include <unistd.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quillet::engine::machine {

std::optional<std::string> ReadSmallFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return text.str();
}

std::optional<uint64_t> FieldNumber(std::string_view text, std::string_view key) {
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == ':') {
      const std::string number(line.substr(key.size() + 1));
      char* stop = nullptr;
      const unsigned long long value = std::strtoull(number.c_str(), &stop, 10);
      if (stop == number.c_str()) return std::nullopt;
      return value;
    }
    at = end + 1;
  }
  return std::nullopt;
}

std::string OsReleaseField(std::string_view key) {
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    const std::optional<std::string> text = ReadSmallFile(path);
    if (!text) continue;
    std::istringstream lines(*text);
    std::string line;
    while (std::getline(lines, line)) {
      if (line.size() <= key.size() || line.compare(0, key.size(), key) != 0 || line[key.size()] != '=') continue;
      std::string value = line.substr(key.size() + 1);
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      return value;
    }
    return {};
  }
  return {};
}

std::string HostName() {
  std::array<char, HOST_NAME_MAX + 1> name{};
  if (gethostname(name.data(), name.size() - 1) != 0) return {};
  return name.data();
}

std::time_t BootTime() {
  const std::optional<std::string> stat = ReadSmallFile("/proc/stat");
  if (!stat) return 0;
  const size_t at = stat->find("\nbtime ");
  if (at == std::string::npos) return 0;
  return static_cast<std::time_t>(std::strtoll(stat->c_str() + at + 7, nullptr, 10));
}

long ClockTicksPerSecond() {
  static const long ticks = [] {
    const long value = sysconf(_SC_CLK_TCK);
    return value > 0 ? value : 100;
  }();
  return ticks;
}

}  // namespace quillet::engine::machine
