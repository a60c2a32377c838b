// Any bytes given to the shortcut reader give a link or nothing, never a fault; a link it reads,
// written again, reads back the same.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/objects/wsh/ShellLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using quillet::engine::wsh::CShellLink;
  const auto link = CShellLink::Read(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!link) return 0;
  const std::string written = CShellLink::Write(*link);
  const auto again = CShellLink::Read(written);
  if (!again || CShellLink::Write(*again) != written) std::abort();
  return 0;
}
