#include "engine/host/TextStream.h"

#include "engine/host/HostClasses.h"
#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {
constexpr int kInputPastEnd = 62;
// Standard streams are one-way: reading an output stream or writing the input is error 54.
constexpr int kBadFileMode = 54;
}  // namespace

CTextStream::CTextStream(COutputStream* output, std::FILE* input)
    : CAutomationObject(DispatchTableOf<kTextStreamClass>()), m_output(output), m_input(input) {}

CVariant CTextStream::InvokeMember(const om::SMember& member, std::span<CVariant> args) {
  namespace id = text_stream_id;
  switch (member.dispId) {
    case id::Line: return CVariant::Long(m_line);
    case id::Column: return CVariant::Long(m_column);
    case id::Close: return {};
    case id::Write: return Write(args[0].Deref().ToString());
    case id::WriteLine: return Write(args[0].Deref().ToString() + u"\r\n");
    case id::WriteBlankLines: {
      const int32_t count = args[0].Deref().ToLong();
      if (count < 0) throw CScriptError(err::InvalidCall);
      std::u16string text;
      for (int32_t i = 0; i < count; ++i) text += u"\r\n";
      return Write(std::move(text));
    }
    default: return Read(member, args);
  }
}

CVariant CTextStream::Write(std::u16string text) {
  if (m_output == nullptr) throw CScriptError(kBadFileMode);
  for (char16_t c : text) Advance(c);
  m_output->Write(text);
  m_output->Flush();
  return {};
}

void CTextStream::Advance(char16_t c) {
  if (c == u'\n') {
    ++m_line;
    m_column = 1;
  } else if (c != u'\r') {
    ++m_column;
  }
}

int CTextStream::PeekChar() {
  const int c = std::fgetc(m_input);
  if (c != EOF) std::ungetc(c, m_input);
  return c;
}

int CTextStream::GetChar() {
  const int c = std::fgetc(m_input);
  if (c != EOF) Advance(static_cast<char16_t>(c));
  return c;
}

std::string CTextStream::ReadCharacters(const CVariant& countArg) {
  const int32_t count = countArg.Deref().ToLong();
  if (count < 0) throw CScriptError(err::InvalidCall);
  std::string bytes;
  for (int32_t i = 0; i < count; ++i) {
    const int c = GetChar();
    if (c == EOF) {
      if (i == 0) throw CScriptError(kInputPastEnd);
      break;
    }
    bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

std::string CTextStream::ReadLine() {
  if (PeekChar() == EOF) throw CScriptError(kInputPastEnd);
  std::string bytes;
  for (int c = GetChar(); c != EOF && c != '\n'; c = GetChar()) {
    if (c != '\r') bytes.push_back(static_cast<char>(c));
  }
  return bytes;
}

CVariant CTextStream::Read(const om::SMember& member, std::span<CVariant> args) {
  namespace id = text_stream_id;
  if (m_input == nullptr) throw CScriptError(kBadFileMode);
  switch (member.dispId) {
    case id::AtEndOfStream: return CVariant::Boolean(PeekChar() == EOF);
    case id::AtEndOfLine: {
      const int c = PeekChar();
      return CVariant::Boolean(c == EOF || c == '\r' || c == '\n');
    }
    case id::Read: return CVariant::String(platform::Utf8ToUtf16(ReadCharacters(args[0])));
    case id::Skip: (void)ReadCharacters(args[0]); return {};
    case id::ReadLine: return CVariant::String(platform::Utf8ToUtf16(ReadLine()));
    case id::SkipLine: (void)ReadLine(); return {};
    case id::ReadAll: {
      std::string bytes;
      for (int c = GetChar(); c != EOF; c = GetChar()) bytes.push_back(static_cast<char>(c));
      return CVariant::String(platform::Utf8ToUtf16(bytes));
    }
    default: ThrowNoSuchMember();
  }
}

}  // namespace quillet::engine::host
