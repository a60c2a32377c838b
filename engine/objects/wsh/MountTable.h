#pragma once
// The network file systems mounted for this process, from /proc/self/mountinfo.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::engine::wsh {

struct SNetworkMount {
  std::u16string mountPoint;
  std::u16string remote;  // as Windows writes a share: \\server\share
};

[[nodiscard]] std::vector<SNetworkMount> NetworkMounts();
// The same from the text of a mountinfo file (tests and the fuzz target feed it directly).
[[nodiscard]] std::vector<SNetworkMount> ParseNetworkMounts(std::string_view mountInfo);

}  // namespace quillet::engine::wsh
