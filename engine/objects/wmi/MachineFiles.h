#pragma once
// Reading the files the kernel and the distribution describe the machine in (/proc, /etc):
// small helpers shared by the providers. A file that cannot be read gives nothing, so the
// property it would have filled stays Null.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine::machine {

// The whole of a small file, or nullopt when it cannot be read.
[[nodiscard]] std::optional<std::string> ReadSmallFile(const std::string& path);
// "Key:   value kB" lines of /proc/meminfo and /proc/<pid>/status: the number, or nullopt.
[[nodiscard]] std::optional<uint64_t> FieldNumber(std::string_view text, std::string_view key);
// A field of /etc/os-release without its quotes ("PRETTY_NAME"); empty when absent.
[[nodiscard]] std::string OsReleaseField(std::string_view key);
[[nodiscard]] std::string HostName();
// When the machine started (btime of /proc/stat); 0 when unknown.
[[nodiscard]] std::time_t BootTime();
[[nodiscard]] long ClockTicksPerSecond();

}  // namespace quillet::engine::machine
