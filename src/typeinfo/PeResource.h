#pragma once
// The TYPELIB resource of a PE image (.dll, .ocx, .exe, .olb; 32- or 64-bit). The resource
// directory is untrusted: the walk follows a fixed three levels (type, name, language), looks at
// each directory's entries once, and checks every offset against the section that holds it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::typeinfo {

class CPeResource {
 public:
  [[nodiscard]] static bool LooksLikePe(std::string_view bytes);
  // The bytes of TYPELIB resource `id` (the first language), or of the first TYPELIB resource
  // when id is 0. Null when the image has none or its directory cannot be followed.
  [[nodiscard]] static std::optional<std::string_view> FindTypeLib(std::string_view image, std::uint16_t id = 1);
};

// A minimal PE image whose only section is a .rsrc holding `typeLib` as TYPELIB resource 1:
// enough for the reader, and for tests that need a library inside a DLL.
[[nodiscard]] std::string BuildPeWithTypeLib(std::string_view typeLib, bool is64Bit);

}  // namespace quillet::typeinfo
