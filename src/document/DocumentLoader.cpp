#include "document/DocumentLoader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>
#include <string>

#include "document/QuilletDoc.h"
#include "platform/AnsiCodePage.h"

namespace quillet::document {

CDocumentLoader::~CDocumentLoader() {
  if (m_fd >= 0) ::close(m_fd);
}

bool CDocumentLoader::ReadBlock() {
  m_blockSize = 0;
  // A short read means the end of the file, as the block loop expects; keep reading after an
  // interruption so a signal does not cut the script short.
  while (m_blockSize < kBlockSize) {
    const ssize_t count = ::read(m_fd, m_block + m_blockSize, kBlockSize - m_blockSize);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      m_error = errno;
      return false;
    }
    if (count == 0) break;
    m_blockSize += static_cast<size_t>(count);
  }
  m_endOfFile = m_blockSize < kBlockSize;
  return true;
}

bool CDocumentLoader::Open(const std::string& path) {
  struct stat info{};
  if (::stat(path.c_str(), &info) != 0) {
    m_error = errno;
    return false;
  }
  m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (m_fd < 0) {
    m_error = errno;
    return false;
  }
  ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return ReadBlock();
}

bool CDocumentLoader::Load(int32_t style) {
  const bool unicode = m_blockSize >= 2 && static_cast<unsigned char>(m_block[0]) == 0xFF &&
                       static_cast<unsigned char>(m_block[1]) == 0xFE;
  m_document.SetUnicode(unicode);
  m_document.m_lines.reserve(16384);
  if (unicode) {
    m_document.m_lineEndStyle = EolCrLf;
    return LoadUnicode(2);
  }
  const ELineEndStyle chosen = style < 0 ? DetectStyle() : static_cast<ELineEndStyle>(style);
  m_document.m_lineEndStyle = chosen;
  return LoadAnsi(chosen);
}

ELineEndStyle CDocumentLoader::DetectStyle() const {
  const void* found = std::memchr(m_block, '\n', m_blockSize);
  if (found == nullptr) return EolCrLf;
  const size_t lf = static_cast<size_t>(static_cast<const char*>(found) - m_block);
  if (lf > 0 && m_block[lf - 1] == '\r') return EolCrLf;
  if (lf + 1 < m_blockSize && m_block[lf + 1] == '\r') return EolLfCr;
  return EolLf;
}

bool CDocumentLoader::Fits(size_t length) {
  if (length <= m_limits.lineLength && m_document.m_lines.size() < m_limits.lineCount) return true;
  m_error = EFBIG;
  return false;
}

bool CDocumentLoader::AppendAnsiLine(const char* bytes, size_t size) {
  if (!Fits(size)) return false;
  const auto& codePage = m_document.CodePage();
  CQuilletDoc::SLineInfo& line =
      m_document.InsertEmptyLine(m_document.GetLineCount(), static_cast<int32_t>(size));
  // Converted by length: a NUL byte is text like any other.
  line.length = static_cast<int32_t>(codePage.DecodeInto({bytes, size}, line.text.get()));
  return true;
}

bool CDocumentLoader::AppendUnicodeLine(const char* bytes, size_t size) {
  if (!Fits(size / 2)) return false;
  const auto units = static_cast<int32_t>(size / 2);
  CQuilletDoc::SLineInfo& line = m_document.InsertEmptyLine(m_document.GetLineCount(), units);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(line.text.get(), bytes, static_cast<size_t>(units) * 2);
  } else {
    for (int32_t i = 0; i < units; ++i) {
      line.text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
  }
  line.length = units;
  return true;
}

// The separator is matched with a counter: a byte equal to the next expected byte advances it,
// any other byte resets it, and the byte that broke a match is not tried again as the start of
// one. While the counter is 0 nothing but the separator's first byte matters, so memchr skips
// ahead.
bool CDocumentLoader::LoadAnsi(ELineEndStyle style) {
  const std::string_view separator = LineEndBytes(style);
  const size_t separatorSize = separator.size();
  std::string pending;  // a line that started in an earlier block
  size_t matched = 0;
  while (true) {
    size_t lineStart = 0;
    size_t pos = 0;
    while (pos < m_blockSize) {
      if (matched == 0) {
        const void* found = std::memchr(m_block + pos, separator[0], m_blockSize - pos);
        if (found == nullptr) break;
        pos = static_cast<size_t>(static_cast<const char*>(found) - m_block) + 1;
        matched = 1;
      } else {
        matched = m_block[pos] == separator[matched] ? matched + 1 : 0;
        ++pos;
      }
      if (matched < separatorSize) continue;
      matched = 0;
      if (pending.empty()) {
        if (!AppendAnsiLine(m_block + lineStart, pos - separatorSize - lineStart)) return false;
      } else {
        pending.append(m_block + lineStart, pos - lineStart);
        pending.resize(pending.size() - separatorSize);
        if (!AppendAnsiLine(pending.data(), pending.size())) return false;
        pending.clear();
      }
      lineStart = pos;
    }
    pending.append(m_block + lineStart, m_blockSize - lineStart);
    // Give up on a line too long to hold as soon as it is, not after reading it whole.
    if (!Fits(pending.size() - matched)) return false;
    if (m_endOfFile) break;
    if (!ReadBlock()) return false;
  }
  return AppendAnsiLine(pending.data(), pending.size());
}

bool CDocumentLoader::LoadUnicode(size_t start) {
  std::string pending;
  bool sawCr = false;  // the previous unit was the CR of a possible CR LF
  size_t pos = start;
  while (true) {
    // Blocks are whole (32 KiB) until the last, so units never straddle two of them.
    size_t lineStart = pos;
    for (; pos + 1 < m_blockSize; pos += 2) {
      const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(m_block[pos]) |
                                                  (static_cast<unsigned char>(m_block[pos + 1]) << 8));
      if (!sawCr) {
        sawCr = unit == u'\r';
        continue;
      }
      sawCr = false;
      if (unit != u'\n') continue;
      const size_t end = pos + 2;
      if (pending.empty()) {
        if (!AppendUnicodeLine(m_block + lineStart, end - 4 - lineStart)) return false;
      } else {
        pending.append(m_block + lineStart, end - lineStart);
        pending.resize(pending.size() - 4);
        if (!AppendUnicodeLine(pending.data(), pending.size())) return false;
        pending.clear();
      }
      lineStart = end;
    }
    pending.append(m_block + lineStart, m_blockSize - lineStart);
    if (!Fits(pending.size() / 2 - (sawCr ? 1 : 0))) return false;
    if (m_endOfFile) break;
    if (!ReadBlock()) return false;
    pos = 0;
  }
  // A final odd byte is not part of any unit.
  return AppendUnicodeLine(pending.data(), pending.size() & ~size_t{1});
}

}  // namespace quillet::document
