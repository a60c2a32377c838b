#pragma once
// The script host object has no ProgID: scripts get it as WScript. Its class is found by its
// class id, and its type library through the class registrations.

#include <string>
#include <string_view>

namespace quillet::platform {
class CClassRegistry;
}

namespace quillet::intellisense {

inline constexpr std::u16string_view kScriptHostClsid = u"{60254CA2-953B-11CF-8C96-00AA00B8708C}";

// The library registered for the class, else the host program the class names as its server
// when that file carries a library declaring the class; empty when neither is found.
[[nodiscard]] std::u16string FindScriptHostLibrary(const platform::CClassRegistry& registry);

}  // namespace quillet::intellisense
