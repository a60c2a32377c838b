#pragma once
// The file version of a PE image (.exe, .dll, .ocx, 32- or 64-bit) from its version resource:
// the fixed part of VS_VERSIONINFO, as "major.minor.build.revision". The file is untrusted:
// only its headers and its resource section are read, every offset is checked against what
// was read, and each resource directory is looked at once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::platform {

// Empty text for a file that is no PE image or has no version resource; empty (with
// errorCode set to errno) when the file cannot be read.
[[nodiscard]] std::optional<std::string> ReadPeFileVersion(const std::string& path, int& errorCode);

// The same from the bytes of a resource section loaded at sectionAddress (its relative
// virtual address), with the resource directory at directoryAddress.
[[nodiscard]] std::string FileVersionFromResources(std::string_view section, uint32_t sectionAddress,
                                                   uint32_t directoryAddress);

// A minimal 32- or 64-bit PE image whose only section holds a version resource with this
// version: enough for the reader, and for tests of what reads it.
[[nodiscard]] std::string BuildPeWithFileVersion(uint16_t major, uint16_t minor, uint16_t build,
                                                 uint16_t revision, bool is64Bit);

}  // namespace quillet::platform
