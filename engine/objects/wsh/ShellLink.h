#pragma once
// Shortcut files (.lnk) in the binary shell-link format, so that a shortcut a script makes here
// opens on another system and one made there reads here. Paths are written as that system
// writes them: a POSIX path goes out under drive Z:, which stands for / (and comes back).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::engine::wsh {

struct SShellLink {
  std::u16string targetPath;
  std::u16string arguments;
  std::u16string workingDirectory;
  std::u16string description;
  std::u16string iconPath;
  int32_t iconIndex = 0;
  std::u16string relativePath;
  uint16_t hotkey = 0;      // virtual key in the low byte, shift 1 / ctrl 2 / alt 4 in the high
  uint32_t showCommand = 1;  // 1 normal, 3 maximised, 7 minimised
  // The target's facts as the system that made the link saw them; 0 where unknown.
  uint32_t fileAttributes = 0;
  uint64_t creationTime = 0;  // in 100 ns steps since 1601, as that system counts
  uint64_t accessTime = 0;
  uint64_t writeTime = 0;
  uint32_t fileSize = 0;
  // The flags as read; writing derives its own from what the link holds.
  uint32_t linkFlags = 0;
};

class CShellLink {
 public:
  [[nodiscard]] static std::string Write(const SShellLink& link);
  // Nothing when the bytes are not a shell link or are cut short.
  [[nodiscard]] static std::optional<SShellLink> Read(std::string_view bytes);

  // "Ctrl+Alt+F" and the like, both ways; 0 / "" for none, nothing for text that names no key.
  [[nodiscard]] static std::optional<uint16_t> ParseHotkey(std::u16string_view text);
  [[nodiscard]] static std::u16string HotkeyText(uint16_t hotkey);
};

}  // namespace quillet::engine::wsh
