#include "engine/objects/wmi/CpuInfo.h"

#include <set>
#include <sstream>

#include "engine/objects/wmi/MachineFiles.h"

namespace quillet::engine::machine {

namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<SCpuRecord> ReadCpuInfo() {
  std::vector<SCpuRecord> cpus;
  const auto text = ReadSmallFile("/proc/cpuinfo");
  if (!text) return cpus;
  std::istringstream lines(*text);
  std::string line;
  SCpuRecord current;
  while (std::getline(lines, line)) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      if (!current.empty()) cpus.push_back(std::move(current));
      current.clear();
      continue;
    }
    current[Trim(line.substr(0, colon))] = Trim(line.substr(colon + 1));
  }
  if (!current.empty()) cpus.push_back(std::move(current));
  // Some kernels end with a record about the machine rather than a processor.
  std::erase_if(cpus, [](const SCpuRecord& cpu) { return cpu.count("processor") == 0; });
  return cpus;
}

size_t PackageCount(const std::vector<SCpuRecord>& cpus) {
  std::set<std::string> packages;
  for (const SCpuRecord& cpu : cpus) {
    const auto id = cpu.find("physical id");
    if (id != cpu.end()) packages.insert(id->second);
  }
  return packages.empty() ? 1 : packages.size();
}

}  // namespace quillet::engine::machine
