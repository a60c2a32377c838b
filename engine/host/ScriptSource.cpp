#include "engine/host/ScriptSource.h"

#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

std::u16string DecodeScript(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    // An odd last byte cannot be a character; it is dropped.
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return platform::Utf8ToUtf16(bytes.substr(3));
  std::u16string text;
  platform::CAnsiCodePage::System().Decode(bytes, text);
  return text;
}

}  // namespace quillet::engine::host
