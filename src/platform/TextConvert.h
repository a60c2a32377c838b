#pragma once
// Conversions between the program's UTF-16 text and the UTF-8 used by Linux file names,
// environment variables and the Qt-free parts of the outside world.

#include <string>
#include <string_view>

namespace quillet::platform {

// Unpaired surrogates become U+FFFD; nothing else is lost.
[[nodiscard]] std::string Utf16ToUtf8(std::u16string_view text);
// Invalid UTF-8 sequences become U+FFFD, one per offending byte.
[[nodiscard]] std::u16string Utf8ToUtf16(std::string_view text);

// A Linux file name as text and back, byte for byte. Names are bytes, mostly UTF-8: what is
// UTF-8 reads as its characters; each other byte b becomes the lone surrogate U+DC00 + b, which
// no UTF-8 produces. A lone surrogate that is not such a byte (hand-edited text) becomes U+FFFD.
[[nodiscard]] std::u16string FileNameToText(std::string_view name);
[[nodiscard]] std::string TextToFileName(std::u16string_view text);

[[nodiscard]] bool IsValidUtf8(std::string_view text);
// Little-endian UTF-16 bytes as text; an odd last byte cannot be a character and is dropped.
[[nodiscard]] std::u16string Utf16LeBytesToText(std::string_view bytes);

// ASCII-only folding, the way names compare in the settings store and in IntelliSense.
[[nodiscard]] char16_t FoldAsciiCase(char16_t unit);
[[nodiscard]] bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);
[[nodiscard]] std::u16string LowerAscii(std::u16string_view text);

}  // namespace quillet::platform
