#include "typeinfo/Guid.h"

namespace quillet::typeinfo {

namespace {

void AppendHex(std::u16string& out, std::uint64_t value, int digits) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  for (int i = digits - 1; i >= 0; --i) out += kDigits[(value >> (4 * i)) & 0xF];
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Reads `digits` hex digits at text[pos]; advances pos.
std::optional<std::uint64_t> ReadHex(std::u16string_view text, std::size_t& pos, int digits) {
  if (pos + static_cast<std::size_t>(digits) > text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (int i = 0; i < digits; ++i) {
    const int digit = HexValue(text[pos++]);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | static_cast<std::uint64_t>(digit);
  }
  return value;
}

bool Expect(std::u16string_view text, std::size_t& pos, char16_t c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

std::u16string GuidToString(const SGuid& guid) {
  std::u16string out;
  out.reserve(38);
  out += u'{';
  AppendHex(out, guid.data1, 8);
  out += u'-';
  AppendHex(out, guid.data2, 4);
  out += u'-';
  AppendHex(out, guid.data3, 4);
  out += u'-';
  AppendHex(out, guid.data4[0], 2);
  AppendHex(out, guid.data4[1], 2);
  out += u'-';
  for (int i = 2; i < 8; ++i) AppendHex(out, guid.data4[i], 2);
  out += u'}';
  return out;
}

std::optional<SGuid> ParseGuid(std::u16string_view text) {
  const bool braced = !text.empty() && text.front() == u'{';
  if (braced) {
    if (text.back() != u'}') return std::nullopt;
    text = text.substr(1, text.size() - 2);
  }
  if (text.size() != 36) return std::nullopt;
  std::size_t pos = 0;
  SGuid guid;
  const auto d1 = ReadHex(text, pos, 8);
  if (!d1 || !Expect(text, pos, u'-')) return std::nullopt;
  const auto d2 = ReadHex(text, pos, 4);
  if (!d2 || !Expect(text, pos, u'-')) return std::nullopt;
  const auto d3 = ReadHex(text, pos, 4);
  if (!d3 || !Expect(text, pos, u'-')) return std::nullopt;
  guid.data1 = static_cast<std::uint32_t>(*d1);
  guid.data2 = static_cast<std::uint16_t>(*d2);
  guid.data3 = static_cast<std::uint16_t>(*d3);
  for (int i = 0; i < 8; ++i) {
    if (i == 2 && !Expect(text, pos, u'-')) return std::nullopt;
    const auto byte = ReadHex(text, pos, 2);
    if (!byte) return std::nullopt;
    guid.data4[i] = static_cast<std::uint8_t>(*byte);
  }
  return guid;
}

}  // namespace quillet::typeinfo
