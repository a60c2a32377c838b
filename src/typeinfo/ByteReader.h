#pragma once
// Every read of a type library or PE image goes through here: little-endian, bounds-checked, and
// never throwing. A read past the end gives zero and marks the reader failed, so a parser can do a
// run of reads and look at Ok() once instead of checking each one.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quillet::typeinfo {

class CByteReader {
 public:
  CByteReader() = default;
  explicit CByteReader(std::string_view bytes) : m_bytes(bytes) {}

  [[nodiscard]] std::size_t Size() const { return m_bytes.size(); }
  [[nodiscard]] bool Ok() const { return m_ok; }
  void Fail() { m_ok = false; }

  // True when [offset, offset + length) lies inside the bytes; negative offsets never do.
  [[nodiscard]] bool Contains(std::int64_t offset, std::int64_t length) const {
    return offset >= 0 && length >= 0 && static_cast<std::uint64_t>(offset) <= m_bytes.size() &&
           static_cast<std::uint64_t>(length) <= m_bytes.size() - static_cast<std::uint64_t>(offset);
  }

  [[nodiscard]] std::uint8_t U8(std::int64_t offset) { return static_cast<std::uint8_t>(Le(offset, 1)); }
  [[nodiscard]] std::uint16_t U16(std::int64_t offset) { return static_cast<std::uint16_t>(Le(offset, 2)); }
  [[nodiscard]] std::int16_t I16(std::int64_t offset) { return static_cast<std::int16_t>(U16(offset)); }
  [[nodiscard]] std::uint32_t U32(std::int64_t offset) { return static_cast<std::uint32_t>(Le(offset, 4)); }
  [[nodiscard]] std::int32_t I32(std::int64_t offset) { return static_cast<std::int32_t>(U32(offset)); }
  [[nodiscard]] std::uint64_t U64(std::int64_t offset) { return Le(offset, 8); }

  // The bytes [offset, offset + length), or empty (and failed) when they are not all there.
  [[nodiscard]] std::string_view Bytes(std::int64_t offset, std::int64_t length) {
    if (!Contains(offset, length)) {
      m_ok = false;
      return {};
    }
    return m_bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }

 private:
  std::uint64_t Le(std::int64_t offset, int width) {
    if (!Contains(offset, width)) {
      m_ok = false;
      return 0;
    }
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
      value = (value << 8) | static_cast<std::uint8_t>(m_bytes[static_cast<std::size_t>(offset) + i]);
    return value;
  }

  std::string_view m_bytes;
  bool m_ok = true;
};

}  // namespace quillet::typeinfo
