#include "engine/host/ScriptSource.h"

#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

std::u16string DecodeScript(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return platform::Utf16LeBytesToText(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return platform::Utf8ToUtf16(bytes.substr(3));
  std::u16string text;
  platform::CAnsiCodePage::System().Decode(bytes, text);
  return text;
}

}  // namespace quillet::engine::host
