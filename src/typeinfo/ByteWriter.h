#pragma once
// Little-endian output for the writers: appends, and patches values at known offsets.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::typeinfo {

class CByteWriter {
 public:
  [[nodiscard]] std::int32_t Size() const { return static_cast<std::int32_t>(m_bytes.size()); }
  [[nodiscard]] const std::string& Bytes() const { return m_bytes; }
  [[nodiscard]] std::string Take() { return std::move(m_bytes); }

  void U8(std::uint8_t value) { m_bytes += static_cast<char>(value); }
  void U16(std::uint16_t value) { Le(value, 2); }
  void U32(std::uint32_t value) { Le(value, 4); }
  void I32(std::int32_t value) { Le(static_cast<std::uint32_t>(value), 4); }
  void U64(std::uint64_t value) { Le(value, 8); }
  void Append(std::string_view bytes) { m_bytes += bytes; }
  // Pads to a multiple of `alignment` with `fill`.
  void Align(int alignment, char fill) {
    while (m_bytes.size() % static_cast<std::size_t>(alignment) != 0) m_bytes += fill;
  }
  void PatchU32(std::int32_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) m_bytes[static_cast<std::size_t>(offset) + i] = static_cast<char>(value >> (8 * i));
  }

 private:
  void Le(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) m_bytes += static_cast<char>(value >> (8 * i));
  }

  std::string m_bytes;
};

}  // namespace quillet::typeinfo
