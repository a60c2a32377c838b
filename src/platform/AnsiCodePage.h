#pragma once
// The system's ANSI code page. On Linux this is the Windows code page that matches the user's
// locale (Windows-1252 when none matches); every conversion between script bytes and the
// program's UTF-16 text goes through here.

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

class CAnsiCodePage {
 public:
  // The code page of the user's locale, decided once per process.
  [[nodiscard]] static const CAnsiCodePage& System();
  // Null when the code page is not one this system converts.
  [[nodiscard]] static std::unique_ptr<CAnsiCodePage> ForCodePage(unsigned codePage);
  // A locale name such as "ja_JP.UTF-8"; empty or unknown names give 1252.
  [[nodiscard]] static unsigned CodePageForLocale(std::string_view locale);

  ~CAnsiCodePage();
  CAnsiCodePage(const CAnsiCodePage&) = delete;
  CAnsiCodePage& operator=(const CAnsiCodePage&) = delete;

  [[nodiscard]] unsigned Number() const { return m_codePage; }
  [[nodiscard]] bool IsSingleByte() const { return m_singleByte; }

  // Writes the UTF-16 form of bytes to out, which must hold bytes.size() units; returns the
  // number written. Every byte sequence converts: a byte with no character keeps its value
  // as a code unit, so that single-byte text survives a load and save unchanged.
  size_t DecodeInto(std::string_view bytes, char16_t* out) const;
  void Decode(std::string_view bytes, std::u16string& out) const;

  // Appends the ANSI form of text to out. Returns true when some character had no mapping
  // and was replaced by the default character '?'.
  bool Encode(std::u16string_view text, std::string& out) const;
  [[nodiscard]] bool CanEncode(std::u16string_view text) const;

 private:
  CAnsiCodePage(unsigned codePage, bool singleByte);
  bool BuildSingleByteTables();
  size_t DecodeMultiByte(std::string_view bytes, char16_t* out) const;
  bool EncodeMultiByte(std::u16string_view text, std::string* out) const;

  unsigned m_codePage;
  bool m_singleByte;
  std::array<char16_t, 256> m_toUnicode{};
  std::vector<int16_t> m_fromUnicode;  // 65536 entries, -1 where there is no byte
  mutable std::mutex m_iconvLock;      // multi-byte pages convert through iconv
};

}  // namespace quillet::platform
