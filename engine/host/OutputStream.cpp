#include "engine/host/OutputStream.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/AnsiCodePage.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {

bool IsUtf8Terminal(std::FILE* file) {
  if (file == nullptr || ::isatty(::fileno(file)) == 0) return false;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    std::string locale(value);
    for (char& c : locale) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return locale.find("utf-8") != std::string::npos || locale.find("utf8") != std::string::npos;
  }
  return false;
}

}  // namespace

COutputStream::COutputStream(std::FILE* file, bool unicode)
    : m_file(file), m_unicode(unicode), m_utf8Terminal(!unicode && IsUtf8Terminal(file)) {}

void COutputStream::Write(std::u16string_view text) {
  std::lock_guard<std::mutex> guard(m_lock);
  std::string bytes;
  if (m_unicode) {
    bytes.resize(text.size() * 2);
    char* out = bytes.data();
    for (size_t i = 0; i < text.size(); ++i) {
      out[2 * i] = static_cast<char>(text[i] & 0xFF);
      out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
  } else if (m_utf8Terminal) {
    bytes = platform::Utf16ToUtf8(text);
  } else {
    (void)platform::CAnsiCodePage::System().Encode(text, bytes);
  }
  std::fwrite(bytes.data(), 1, bytes.size(), m_file);
}

void COutputStream::Flush() {
  std::lock_guard<std::mutex> guard(m_lock);
  std::fflush(m_file);
}

}  // namespace quillet::engine::host
