#include "engine/objects/scripting/TextFileReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

constexpr size_t kBlockSize = 1 << 16;
// A multi-byte text with no byte below 0x40 for this long is decoded without waiting longer
// for a safe place to split it.
constexpr size_t kMaxUndecided = 1 << 20;

}  // namespace

CTextFileReader::CTextFileReader(int fd, ETextEncoding encoding, const platform::CAnsiCodePage& codePage)
    : m_fd(fd), m_encoding(encoding), m_codePage(codePage) {}

bool CTextFileReader::AtEnd() {
  while (Available().empty()) {
    if (!Fill()) return true;
  }
  return false;
}

// How much of m_bytes decodes without cutting a character in two.
size_t CTextFileReader::DecodableLength(bool atEndOfFile) const {
  if (atEndOfFile) return m_bytes.size();
  if (m_encoding == ETextEncoding::Utf16) return m_bytes.size() & ~size_t{1};
  if (m_codePage.IsSingleByte()) return m_bytes.size();
  // In the double-byte code pages a byte below 0x40 is always a character of its own, never the
  // second byte of one, so the text can be cut after it.
  for (size_t i = m_bytes.size(); i > 0; --i) {
    if (static_cast<unsigned char>(m_bytes[i - 1]) < 0x40) return i;
  }
  return m_bytes.size() >= kMaxUndecided ? m_bytes.size() - 1 : 0;
}

void CTextFileReader::Decode(size_t length) {
  const std::string_view bytes(m_bytes.data(), length);
  if (m_encoding == ETextEncoding::Utf16) {
    const size_t units = length / 2;
    const size_t start = m_text.size();
    m_text.resize(start + units);
    for (size_t i = 0; i < units; ++i) {
      m_text[start + i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
  } else {
    m_codePage.Decode(bytes, m_text);
  }
  m_bytes.erase(0, length);
}

bool CTextFileReader::Fill() {
  if (m_taken > 0) {
    m_text.erase(0, m_taken);
    m_taken = 0;
  }
  const size_t before = m_text.size();
  while (m_text.size() == before && !m_endOfFile) {
    const size_t kept = m_bytes.size();
    m_bytes.resize(kept + kBlockSize);
    ssize_t count;
    do {
      count = ::read(m_fd, m_bytes.data() + kept, kBlockSize);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
      const int error = errno;
      m_bytes.resize(kept);
      throw CScriptError(error == EISDIR ? err::PermissionDenied : err::DeviceIoError);
    }
    m_bytes.resize(kept + static_cast<size_t>(count));
    m_endOfFile = count == 0;
    if (!m_started && m_encoding == ETextEncoding::Utf16 && (m_bytes.size() >= 2 || m_endOfFile)) {
      if (m_bytes.compare(0, 2, "\xFF\xFE") == 0) m_bytes.erase(0, 2);
      m_started = true;
    }
    if (m_encoding == ETextEncoding::Ansi) m_started = true;
    if (m_started) Decode(DecodableLength(m_endOfFile));
  }
  return m_text.size() > before;
}

}  // namespace quillet::engine
