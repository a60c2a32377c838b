#pragma once
// A GUID as the type library stores it, and its registry text form "{XXXXXXXX-XXXX-...}".

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet::typeinfo {

struct SGuid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  bool operator==(const SGuid&) const = default;
  [[nodiscard]] bool IsNull() const { return *this == SGuid{}; }
};

// Upper-case hexadecimal in braces, 38 characters, as the registry and StringFromGUID2 write it.
[[nodiscard]] std::u16string GuidToString(const SGuid& guid);
// Accepts that form in either case, with or without the braces.
[[nodiscard]] std::optional<SGuid> ParseGuid(std::u16string_view text);

}  // namespace quillet::typeinfo
