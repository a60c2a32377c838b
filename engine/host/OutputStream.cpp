#include "engine/host/OutputStream.h"

#include <string>

#include "platform/AnsiCodePage.h"

namespace quillet::engine::host {

void COutputStream::Write(std::u16string_view text) {
  std::lock_guard<std::mutex> guard(m_lock);
  std::string bytes;
  if (m_unicode) {
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
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
