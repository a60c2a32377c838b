#include "engine/host/TextStream.h"

#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine::host {

namespace {
bool Is(std::u16string_view name, std::u16string_view word) { return platform::EqualsIgnoringAsciiCase(name, word); }
// Standard streams are one-way: reading an output stream or writing the input is error 54.
[[noreturn]] void BadMode() { throw CScriptError(54); }
}  // namespace

CVariant CTextStream::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  if (kind == EInvokeKind::Let || kind == EInvokeKind::Set) throw CScriptError(err::IllegalAssignment);
  if (Is(name, u"line")) return CVariant::Long(m_line);
  if (Is(name, u"column")) return CVariant::Long(m_column);
  if (Is(name, u"close")) return {};
  if (Is(name, u"write") || Is(name, u"writeline") || Is(name, u"writeblanklines")) {
    if (m_output == nullptr) BadMode();
    return Write(name, args);
  }
  if (m_input == nullptr) {
    if (Is(name, u"read") || Is(name, u"readline") || Is(name, u"readall") || Is(name, u"skip") ||
        Is(name, u"skipline") || Is(name, u"atendofstream") || Is(name, u"atendofline")) {
      BadMode();
    }
    ThrowNoSuchMember();
  }
  return Read(name, args);
}

CVariant CTextStream::Write(std::u16string_view name, std::span<CVariant> args) {
  std::u16string text;
  if (Is(name, u"writeblanklines")) {
    if (args.size() != 1) throw CScriptError(err::WrongArgCount);
    const int32_t count = args[0].Deref().ToLong();
    if (count < 0) throw CScriptError(err::InvalidCall);
    for (int32_t i = 0; i < count; ++i) text += u"\r\n";
  } else {
    const bool line = Is(name, u"writeline");
    if (args.size() > 1 || (!line && args.empty())) throw CScriptError(err::WrongArgCount);
    if (!args.empty()) text = args[0].Deref().ToString();
    if (line) text += u"\r\n";
  }
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

CVariant CTextStream::Read(std::u16string_view name, std::span<CVariant> args) {
  std::string bytes;
  if (Is(name, u"atendofstream")) return CVariant::Boolean(PeekChar() == EOF);
  if (Is(name, u"atendofline")) {
    const int c = PeekChar();
    return CVariant::Boolean(c == EOF || c == '\r' || c == '\n');
  }
  if (Is(name, u"read") || Is(name, u"skip")) {
    if (args.size() != 1) throw CScriptError(err::WrongArgCount);
    const int32_t count = args[0].Deref().ToLong();
    if (count < 0) throw CScriptError(err::InvalidCall);
    for (int32_t i = 0; i < count; ++i) {
      const int c = GetChar();
      if (c == EOF) {
        if (i == 0) throw CScriptError(62);
        break;
      }
      bytes.push_back(static_cast<char>(c));
    }
    if (Is(name, u"skip")) return {};
  } else if (Is(name, u"readline") || Is(name, u"skipline")) {
    if (PeekChar() == EOF) throw CScriptError(62);
    for (int c = GetChar(); c != EOF && c != '\n'; c = GetChar()) {
      if (c != '\r') bytes.push_back(static_cast<char>(c));
    }
    if (Is(name, u"skipline")) return {};
  } else if (Is(name, u"readall")) {
    for (int c = GetChar(); c != EOF; c = GetChar()) bytes.push_back(static_cast<char>(c));
  } else {
    ThrowNoSuchMember();
  }
  return CVariant::String(platform::Utf8ToUtf16(bytes));
}

}  // namespace quillet::engine::host
