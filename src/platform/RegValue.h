#pragma once
// One named, typed value of a registry key, kept as the registry keeps it: a type number and
// the raw bytes. Types this program never interprets survive a read and a write unchanged.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

enum class ERegType : uint32_t {
  None = 0,
  String = 1,
  ExpandString = 2,
  Binary = 3,
  Dword = 4,
  MultiString = 7,
  Qword = 11,
};

struct CRegValue {
  std::u16string name;  // empty for the key's default value ("@" in a .reg file)
  uint32_t type = static_cast<uint32_t>(ERegType::None);
  std::vector<uint8_t> data;

  [[nodiscard]] static CRegValue MakeDword(std::u16string_view name, uint32_t value);
  // String data is stored as UTF-16LE with its terminating zero, as the registry stores it.
  [[nodiscard]] static CRegValue MakeString(std::u16string_view name, std::u16string_view text,
                                            ERegType type = ERegType::String);

  [[nodiscard]] bool Is(ERegType t) const { return type == static_cast<uint32_t>(t); }
  // The number of a dword value; nothing for any other type or a wrong size.
  [[nodiscard]] std::optional<uint32_t> AsDword() const;
  // The text of a string or expandable-string value, without its terminating zero.
  [[nodiscard]] std::optional<std::u16string> AsString() const;
};

}  // namespace quillet::platform
