#include "engine/objects/scripting/TextFileWriter.h"

#include <unistd.h>

#include <cerrno>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

constexpr size_t kFlushSize = 1 << 16;

}  // namespace

CTextFileWriter::CTextFileWriter(int fd, bool ownsFd, ETextEncoding encoding, const platform::CAnsiCodePage& codePage)
    : m_fd(fd), m_ownsFd(ownsFd), m_encoding(encoding), m_codePage(codePage) {
  m_buffer.reserve(kFlushSize * 2);
}

CTextFileWriter::CTextFileWriter(std::unique_ptr<platform::CAtomicFileWriter> replacement, ETextEncoding encoding,
                                 const platform::CAnsiCodePage& codePage)
    : m_replacement(std::move(replacement)), m_encoding(encoding), m_codePage(codePage) {
  m_buffer.reserve(kFlushSize * 2);
}

CTextFileWriter::~CTextFileWriter() {
  try {
    Close();
  } catch (const CScriptError&) {
    // Nobody is left to tell; a replacement that failed left the old file in place.
  }
}

void CTextFileWriter::Fail(int error) {
  m_buffer.clear();
  ThrowFileError(error, EPathRole::File);
}

void CTextFileWriter::WriteByteOrderMark() { m_buffer.append("\xFF\xFE", 2); }

void CTextFileWriter::Write(std::u16string_view text) {
  if (m_encoding == ETextEncoding::Utf16) {
    const size_t start = m_buffer.size();
    m_buffer.resize(start + text.size() * 2);
    char* out = m_buffer.data() + start;
    for (const char16_t unit : text) {
      *out++ = static_cast<char>(unit & 0xFF);
      *out++ = static_cast<char>(unit >> 8);
    }
  } else {
    const size_t start = m_buffer.size();
    if (m_codePage.Encode(text, m_buffer)) {
      // Windows refuses text that the file's code page cannot hold rather than change it.
      m_buffer.resize(start);
      throw CScriptError(err::InvalidCall);
    }
  }
  if (m_flushEachWrite || m_buffer.size() >= kFlushSize) Flush();
}

void CTextFileWriter::Flush() {
  if (m_buffer.empty()) return;
  if (m_replacement) {
    if (!m_replacement->Write(m_buffer)) Fail(m_replacement->Error());
    m_buffer.clear();
    return;
  }
  const char* data = m_buffer.data();
  size_t left = m_buffer.size();
  while (left > 0) {
    const ssize_t written = ::write(m_fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  m_buffer.clear();
}

void CTextFileWriter::Release() {
  if (m_ownsFd && m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_replacement.reset();  // an uncommitted temporary file goes; the old file stays
}

void CTextFileWriter::Close() {
  if (m_closed) return;
  m_closed = true;
  try {
    Flush();
    if (m_replacement && !m_replacement->Commit()) Fail(m_replacement->Error());
  } catch (const CScriptError&) {
    Release();
    throw;
  }
  m_replacement.reset();
  if (m_ownsFd && m_fd >= 0) {
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) ThrowFileError(errno, EPathRole::File);
  }
}

}  // namespace quillet::engine
