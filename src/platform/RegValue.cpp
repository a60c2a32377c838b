#include "platform/RegValue.h"

namespace quillet::platform {

CRegValue CRegValue::MakeDword(std::u16string_view name, uint32_t value) {
  CRegValue result;
  result.name = name;
  result.type = static_cast<uint32_t>(ERegType::Dword);
  for (int shift = 0; shift < 32; shift += 8) {
    result.data.push_back(static_cast<uint8_t>(value >> shift));
  }
  return result;
}

CRegValue CRegValue::MakeString(std::u16string_view name, std::u16string_view text,
                                ERegType type) {
  CRegValue result;
  result.name = name;
  result.type = static_cast<uint32_t>(type);
  result.data.reserve((text.size() + 1) * 2);
  for (const char16_t unit : text) {
    result.data.push_back(static_cast<uint8_t>(unit & 0xFF));
    result.data.push_back(static_cast<uint8_t>(unit >> 8));
  }
  result.data.push_back(0);
  result.data.push_back(0);
  return result;
}

std::optional<uint32_t> CRegValue::AsDword() const {
  if (!Is(ERegType::Dword) || data.size() != 4) return std::nullopt;
  return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
         (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

std::optional<std::u16string> CRegValue::AsString() const {
  if (!Is(ERegType::String) && !Is(ERegType::ExpandString)) return std::nullopt;
  std::u16string text;
  text.reserve(data.size() / 2);
  for (size_t i = 0; i + 1 < data.size(); i += 2) {
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  }
  // The registry does not insist on the terminator; take the text up to it when it is there.
  if (!text.empty() && text.back() == u'\0') text.pop_back();
  return text;
}

}  // namespace quillet::platform
