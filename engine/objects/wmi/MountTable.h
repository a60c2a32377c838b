#pragma once
// The file systems of this computer that hold data, from /proc/mounts: block devices and network
// shares, each once by the folder it is mounted on. Kernel and memory file systems (proc, sysfs,
// cgroup, tmpfs) hold no data of their own and are left out.

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::engine::machine {

// Drive types as scripts compare them.
inline constexpr int32_t kRemovableDrive = 2;
inline constexpr int32_t kLocalDrive = 3;
inline constexpr int32_t kNetworkDrive = 4;
inline constexpr int32_t kOpticalDrive = 5;

struct SMount {
  std::string device;      // "/dev/vda1", "server:/export"
  std::string mountPoint;  // "/", "/home"
  std::string type;        // "ext4", "nfs4"
  int32_t driveType = kLocalDrive;
};

// The mounts of mountsText (the text of /proc/mounts), in its order.
[[nodiscard]] std::vector<SMount> ParseMounts(const std::string& mountsText);
// The mounts of this computer now; empty when /proc/mounts cannot be read.
[[nodiscard]] std::vector<SMount> DataMounts();

}  // namespace quillet::engine::machine
