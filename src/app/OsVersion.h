#pragma once
// The operating-system version record kept by the application: a platform identifier and the
// kernel's major and minor version.

#include <cstdint>

namespace quillet::app {

struct SOsVersion {
  // 1 and 2 name the two Windows families; Linux has an identifier of its own.
  static constexpr uint32_t kPlatformLinux = 0x4C58;

  uint32_t platformId = kPlatformLinux;
  uint32_t major = 0;
  uint32_t minor = 0;
};

[[nodiscard]] SOsVersion ReadOsVersion();

}  // namespace quillet::app
