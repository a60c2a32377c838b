#include "engine/objects/scripting/TextFileStream.h"

#include <unistd.h>

#include <algorithm>

#include "engine/objects/scripting/FileErrors.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {
namespace {

[[nodiscard]] size_t FindLineEnd(std::u16string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' || text[i] == u'\r') return i;
  }
  return std::u16string_view::npos;
}

}  // namespace

CTextFileStream::CTextFileStream(int fd, bool ownsFd, ETextEncoding encoding)
    : m_fd(fd), m_ownsFd(ownsFd) {
  m_reader.emplace(fd, encoding, platform::CAnsiCodePage::System());
}

CTextFileStream::CTextFileStream(std::unique_ptr<CTextFileWriter> writer) : m_writer(std::move(writer)) {}

CTextFileStream::~CTextFileStream() {
  try {
    Close();
  } catch (const CScriptError&) {
    // A stream let go without Close has nobody to tell.
  }
}

CTextFileReader& CTextFileStream::Reader() {
  if (m_closed) throw CScriptError(engine::err::InvalidCall);
  if (!m_reader) throw CScriptError(err::BadFileMode);
  return *m_reader;
}

CTextFileWriter& CTextFileStream::Writer() {
  if (m_closed) throw CScriptError(engine::err::InvalidCall);
  if (!m_writer) throw CScriptError(err::BadFileMode);
  return *m_writer;
}

void CTextFileStream::CheckLength(size_t length) const {
  if (length > m_lengthLimit) throw CScriptError(engine::err::OutOfMemory);
}

void CTextFileStream::CountText(std::u16string_view text) {
  if (FindLineEnd(text) == std::u16string_view::npos) {
    if (!text.empty()) m_afterCarriageReturn = false;
    m_column += static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX - m_column));
    return;
  }
  for (const char16_t c : text) {
    if (c == u'\n') {
      if (!m_afterCarriageReturn) ++m_line;
      m_column = 1;
      m_afterCarriageReturn = false;
    } else if (c == u'\r') {
      ++m_line;
      m_column = 1;
      m_afterCarriageReturn = true;
    } else {
      ++m_column;
      m_afterCarriageReturn = false;
    }
  }
}

void CTextFileStream::CountLineEnd() {
  ++m_line;
  m_column = 1;
  m_afterCarriageReturn = false;
}

bool CTextFileStream::AtEndOfStream() { return Reader().AtEnd(); }

bool CTextFileStream::AtEndOfLine() {
  CTextFileReader& reader = Reader();
  if (reader.AtEnd()) return true;
  const char16_t next = reader.Available().front();
  return next == u'\r' || next == u'\n';
}

void CTextFileStream::TakeCharacters(size_t count, std::u16string* text) {
  CTextFileReader& reader = Reader();
  while (count > 0 && !reader.AtEnd()) {
    const std::u16string_view available = reader.Available();
    const std::u16string_view piece = available.substr(0, std::min(count, available.size()));
    if (text != nullptr) {
      CheckLength(text->size() + piece.size());
      text->append(piece);
    }
    CountText(piece);
    reader.Take(piece.size());
    count -= piece.size();
  }
}

void CTextFileStream::TakeLine(std::u16string* text) {
  CTextFileReader& reader = Reader();
  while (!reader.AtEnd()) {
    const std::u16string_view available = reader.Available();
    const size_t end = FindLineEnd(available);
    const std::u16string_view piece = available.substr(0, std::min(end, available.size()));
    if (text != nullptr) {
      CheckLength(text->size() + piece.size());
      text->append(piece);
    }
    if (end == std::u16string_view::npos) {
      CountText(piece);
      reader.Take(piece.size());
      continue;
    }
    const bool carriageReturn = available[end] == u'\r';
    reader.Take(end + 1);
    // A CR LF split between two blocks is still one line end.
    if (carriageReturn && !reader.AtEnd() && reader.Available().front() == u'\n') reader.Take(1);
    CountLineEnd();
    return;
  }
}

std::u16string CTextFileStream::Read(int32_t count) {
  if (count < 0) throw CScriptError(engine::err::InvalidCall);
  if (count > 0 && AtEndOfStream()) throw CScriptError(err::InputPastEnd);
  std::u16string text;
  TakeCharacters(static_cast<size_t>(count), &text);
  return text;
}

std::u16string CTextFileStream::ReadLine() {
  if (AtEndOfStream()) throw CScriptError(err::InputPastEnd);
  CTextFileReader& reader = Reader();
  // The common case, a line inside the decoded block, is one scan and one copy.
  const std::u16string_view available = reader.Available();
  const size_t end = FindLineEnd(available);
  if (end != std::u16string_view::npos && end + 1 < available.size()) {
    CheckLength(end);
    std::u16string line(available.substr(0, end));
    const size_t taken = end + (available[end] == u'\r' && available[end + 1] == u'\n' ? 2 : 1);
    reader.Take(taken);
    CountLineEnd();
    return line;
  }
  std::u16string line;
  TakeLine(&line);
  return line;
}

std::u16string CTextFileStream::ReadAll() {
  if (AtEndOfStream()) throw CScriptError(err::InputPastEnd);
  std::u16string text;
  TakeCharacters(static_cast<size_t>(-1), &text);
  return text;
}

void CTextFileStream::Skip(int32_t count) {
  if (count < 0) throw CScriptError(engine::err::InvalidCall);
  if (count > 0 && AtEndOfStream()) throw CScriptError(err::InputPastEnd);
  TakeCharacters(static_cast<size_t>(count), nullptr);
}

void CTextFileStream::SkipLine() {
  if (AtEndOfStream()) throw CScriptError(err::InputPastEnd);
  TakeLine(nullptr);
}

void CTextFileStream::Write(std::u16string_view text) {
  Writer().Write(text);
  CountText(text);
}

void CTextFileStream::WriteLine(std::u16string_view text) {
  CTextFileWriter& writer = Writer();
  writer.Write(text);
  CountText(text);
  writer.Write(u"\r\n");
  CountLineEnd();
}

void CTextFileStream::WriteBlankLines(int32_t count) {
  if (count < 0) throw CScriptError(engine::err::InvalidCall);
  CTextFileWriter& writer = Writer();
  for (int32_t i = 0; i < count; ++i) {
    writer.Write(u"\r\n");
    CountLineEnd();
  }
}

void CTextFileStream::Close() {
  if (m_closed) return;
  m_closed = true;
  if (m_ownsFd && m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (m_writer) m_writer->Close();
}

}  // namespace quillet::engine
