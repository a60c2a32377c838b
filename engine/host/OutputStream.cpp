#include "engine/host/OutputStream.h"

#include <string>

#include "platform/AnsiCodePage.h"

namespace quillet::engine::host {

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
