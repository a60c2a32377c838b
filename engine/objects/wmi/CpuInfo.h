#pragma once
// /proc/cpuinfo read into one record per logical processor, shared by the providers that
// describe processors.

#include <map>
#include <string>
#include <vector>

namespace quillet::engine::machine {

using SCpuRecord = std::map<std::string, std::string>;  // "model name" -> "Intel(R) ..."

[[nodiscard]] std::vector<SCpuRecord> ReadCpuInfo();
// The number of packages: distinct "physical id" values, or 1 when the kernel gives none.
[[nodiscard]] size_t PackageCount(const std::vector<SCpuRecord>& cpus);

}  // namespace quillet::engine::machine
