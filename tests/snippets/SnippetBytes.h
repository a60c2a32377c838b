#pragma once
// Byte tables of library files, spelled out field by field so that a test states the layout
// independently of the writer under test.

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::test {

class CSnippetBytes {
 public:
  CSnippetBytes& Magic() { return Raw("\x1D\x4A\xD0\x23"); }
  CSnippetBytes& Int(uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) m_bytes += static_cast<char>(v >> shift & 0xFF);
    return *this;
  }
  // Length in code units, then UTF-16LE.
  CSnippetBytes& Wide(std::u16string_view text) {
    Int(static_cast<uint32_t>(text.size()));
    for (const char16_t c : text) {
      m_bytes += static_cast<char>(c & 0xFF);
      m_bytes += static_cast<char>(c >> 8);
    }
    return *this;
  }
  // The older form: length in bytes, then the bytes as they are.
  CSnippetBytes& Ansi(std::string_view bytes) {
    Int(static_cast<uint32_t>(bytes.size()));
    return Raw(bytes);
  }
  CSnippetBytes& Raw(std::string_view bytes) {
    m_bytes += bytes;
    return *this;
  }
  [[nodiscard]] const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

}  // namespace quillet::test
