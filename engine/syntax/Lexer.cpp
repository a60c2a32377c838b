#include "engine/syntax/Lexer.h"

#include <array>
#include <cmath>

#include "engine/runtime/ScriptError.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

struct SKeyword {
  const char16_t* name;
  ETok kind;
};

constexpr std::array kKeywords{
    SKeyword{u"and", ETok::And},         SKeyword{u"byref", ETok::ByRef},
    SKeyword{u"byval", ETok::ByVal},     SKeyword{u"call", ETok::Call},
    SKeyword{u"case", ETok::Case},       SKeyword{u"class", ETok::Class},
    SKeyword{u"const", ETok::Const},     SKeyword{u"dim", ETok::Dim},
    SKeyword{u"do", ETok::Do},           SKeyword{u"each", ETok::Each},
    SKeyword{u"else", ETok::Else},       SKeyword{u"elseif", ETok::ElseIf},
    SKeyword{u"empty", ETok::Empty},     SKeyword{u"end", ETok::EndKw},
    SKeyword{u"eqv", ETok::Eqv},         SKeyword{u"erase", ETok::Erase},
    SKeyword{u"exit", ETok::Exit},       SKeyword{u"false", ETok::False},
    SKeyword{u"for", ETok::For},         SKeyword{u"function", ETok::Function},
    SKeyword{u"goto", ETok::GoTo},       SKeyword{u"if", ETok::If},
    SKeyword{u"imp", ETok::Imp},         SKeyword{u"in", ETok::In},
    SKeyword{u"is", ETok::Is},           SKeyword{u"let", ETok::Let},
    SKeyword{u"loop", ETok::Loop},       SKeyword{u"me", ETok::Me},
    SKeyword{u"mod", ETok::Mod},         SKeyword{u"new", ETok::New},
    SKeyword{u"next", ETok::Next},       SKeyword{u"not", ETok::Not},
    SKeyword{u"nothing", ETok::Nothing}, SKeyword{u"null", ETok::Null},
    SKeyword{u"on", ETok::On},           SKeyword{u"option", ETok::Option},
    SKeyword{u"or", ETok::Or},           SKeyword{u"private", ETok::Private},
    SKeyword{u"public", ETok::Public},   SKeyword{u"redim", ETok::ReDim},
    SKeyword{u"resume", ETok::Resume},   SKeyword{u"select", ETok::Select},
    SKeyword{u"set", ETok::Set},         SKeyword{u"stop", ETok::Stop},
    SKeyword{u"sub", ETok::Sub},         SKeyword{u"then", ETok::Then},
    SKeyword{u"to", ETok::To},           SKeyword{u"true", ETok::True},
    SKeyword{u"until", ETok::Until},     SKeyword{u"wend", ETok::Wend},
    SKeyword{u"while", ETok::While},     SKeyword{u"with", ETok::With},
    SKeyword{u"xor", ETok::Xor},
};

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
// "a"&objName is a concatenation: &H and &O start a number only when a digit follows.
bool IsHexDigit(char16_t c) { return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }
bool IsOctalDigit(char16_t c) { return c >= u'0' && c <= u'7'; }
// Letters of other scripts count as letters, as they do for Windows' engine; the no-break and
// ideographic spaces do not.
bool IsWideLetter(char16_t c) { return c >= 0xC0 && c != 0x3000 && c != 0xFEFF && c != 0xD7; }
bool IsIdentStart(char16_t c) { return IsAsciiLetter(c) || IsWideLetter(c); }
bool IsIdentPart(char16_t c) { return IsIdentStart(c) || IsDigit(c) || c == u'_'; }
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == 0x2028 || c == 0x2029; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == 0xA0 || c == 0x3000; }

}  // namespace

char16_t CLexer::Peek(size_t ahead) const {
  return m_pos + ahead < m_source.size() ? m_source[m_pos + ahead] : u'\0';
}

void CLexer::Advance() { ++m_pos; }

void CLexer::Fail(int number) const {
  ThrowCompileError(number, m_line, static_cast<int>(m_pos - m_lineStart) + 1);
}

void CLexer::SkipBlanksAndContinuations() {
  for (;;) {
    while (m_pos < m_source.size() && IsBlank(Peek())) Advance();
    if (Peek() != u'_' || IsIdentPart(Peek(1))) return;
    size_t look = m_pos + 1;
    while (look < m_source.size() && IsBlank(m_source[look])) ++look;
    if (look < m_source.size() && !IsLineBreak(m_source[look])) return;
    if (look >= m_source.size()) {
      m_pos = look;
      return;
    }
    // The break after the underscore joins the lines.
    if (m_source[look] == u'\r' && look + 1 < m_source.size() && m_source[look + 1] == u'\n') ++look;
    m_pos = look + 1;
    ++m_line;
    m_lineStart = m_pos;
  }
}

bool CLexer::SkipComment() {
  if (Peek() != u'\'') return false;
  while (m_pos < m_source.size() && !IsLineBreak(Peek())) Advance();
  return true;
}

std::vector<STok> CLexer::Tokenize() {
  std::vector<STok> tokens;
  for (;;) {
    const size_t before = m_pos;
    SkipBlanksAndContinuations();
    SkipComment();
    STok tok;
    tok.line = m_line;
    tok.column = static_cast<int>(m_pos - m_lineStart) + 1;
    tok.spaceBefore = m_pos != before;
    const char16_t c = Peek();
    if (m_pos >= m_source.size()) {
      tok.kind = ETok::End;
      tokens.push_back(std::move(tok));
      return tokens;
    }
    if (IsLineBreak(c)) {
      tok.kind = ETok::NewLine;
      if (c == u'\r' && Peek(1) == u'\n') Advance();
      Advance();
      ++m_line;
      m_lineStart = m_pos;
    } else if (c == u':') {
      tok.kind = ETok::Colon;
      Advance();
    } else if (IsDigit(c) || (c == u'.' && IsDigit(Peek(1)))) {
      LexNumber(tok);
    } else if (c == u'&' && (Peek(1) == u'H' || Peek(1) == u'h') && IsHexDigit(Peek(2))) {
      LexRadix(tok, 16);
    } else if (c == u'&' && (((Peek(1) == u'O' || Peek(1) == u'o') && IsOctalDigit(Peek(2))) || IsOctalDigit(Peek(1)))) {
      LexRadix(tok, 8);
    } else if (c == u'"') {
      LexString(tok);
    } else if (c == u'#') {
      LexDate(tok);
    } else if (c == u'[') {
      LexBracketed(tok);
    } else if (IsIdentStart(c)) {
      LexIdentifier(tok);
      if (tok.kind == ETok::Identifier && platform::EqualsIgnoringAsciiCase(tok.text, u"rem")) {
        while (m_pos < m_source.size() && !IsLineBreak(Peek())) Advance();
        continue;
      }
    } else {
      LexOperator(tok);
    }
    tokens.push_back(std::move(tok));
  }
}

void CLexer::LexNumber(STok& tok) {
  const size_t start = m_pos;
  bool isFloat = false;
  while (IsDigit(Peek())) Advance();
  if (Peek() == u'.' && IsDigit(Peek(1))) {
    isFloat = true;
    Advance();
    while (IsDigit(Peek())) Advance();
  } else if (Peek() == u'.' && !IsIdentStart(Peek(1))) {
    isFloat = true;
    Advance();
  }
  if ((Peek() == u'e' || Peek() == u'E') &&
      (IsDigit(Peek(1)) || ((Peek(1) == u'+' || Peek(1) == u'-') && IsDigit(Peek(2))))) {
    isFloat = true;
    Advance();
    if (Peek() == u'+' || Peek() == u'-') Advance();
    while (IsDigit(Peek())) Advance();
  }
  if (IsIdentStart(Peek())) Fail(err::ExpectedEndOfStatement);
  std::string ascii;
  for (size_t i = start; i < m_pos; ++i) ascii.push_back(static_cast<char>(m_source[i]));
  tok.kind = ETok::Literal;
  const double value = std::strtod(ascii.c_str(), nullptr);
  if (!std::isfinite(value)) Fail(err::InvalidNumber);
  if (!isFloat && value <= 32767) tok.value = CVariant::Integer(static_cast<int16_t>(value));
  else if (!isFloat && value <= 2147483647.0) tok.value = CVariant::Long(static_cast<int32_t>(value));
  else tok.value = CVariant::Double(value);
}

void CLexer::LexRadix(STok& tok, int radix) {
  Advance();
  if (Peek() == u'H' || Peek() == u'h' || Peek() == u'O' || Peek() == u'o') Advance();
  uint64_t bits = 0;
  size_t digits = 0;
  for (;;) {
    const char16_t c = Peek();
    int digit = -1;
    if (IsDigit(c)) digit = c - u'0';
    else if (radix == 16 && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (radix == 16 && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    if (digit < 0) break;
    if (digit >= radix) Fail(err::SyntaxError);
    bits = bits * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    if (bits > 0xFFFFFFFFu) Fail(err::InvalidNumber);
    Advance();
    ++digits;
  }
  if (digits == 0) Fail(err::SyntaxError);
  bool forceLong = false;
  if (Peek() == u'&') {
    Advance();
    forceLong = true;
  }
  tok.kind = ETok::Literal;
  if (bits <= 0xFFFF && !forceLong) tok.value = CVariant::Integer(static_cast<int16_t>(static_cast<uint16_t>(bits)));
  else tok.value = CVariant::Long(static_cast<int32_t>(static_cast<uint32_t>(bits)));
}

void CLexer::LexString(STok& tok) {
  Advance();
  std::u16string text;
  for (;;) {
    if (m_pos >= m_source.size() || IsLineBreak(Peek())) Fail(err::UnterminatedString);
    const char16_t c = Peek();
    Advance();
    if (c == u'"') {
      if (Peek() != u'"') break;
      Advance();
    }
    text.push_back(c);
  }
  tok.kind = ETok::Literal;
  tok.value = CVariant::String(text);
}

void CLexer::LexDate(STok& tok) {
  Advance();
  std::u16string text;
  while (Peek() != u'#') {
    if (m_pos >= m_source.size() || IsLineBreak(Peek())) Fail(err::SyntaxError);
    text.push_back(Peek());
    Advance();
  }
  Advance();
  double date = 0;
  if (!ParseDate(text, date)) Fail(err::SyntaxError);
  tok.kind = ETok::Literal;
  tok.value = CVariant::Date(date);
}

void CLexer::LexIdentifier(STok& tok) {
  const size_t start = m_pos;
  while (IsIdentPart(Peek())) Advance();
  if (m_pos - start > kMaxIdentifier) Fail(err::IdentifierTooLong);
  tok.text.assign(m_source.substr(start, m_pos - start));
  tok.kind = ETok::Identifier;
  const std::u16string lower = platform::LowerAscii(tok.text);
  for (const auto& keyword : kKeywords) {
    if (lower == keyword.name) {
      tok.kind = keyword.kind;
      return;
    }
  }
}

void CLexer::LexBracketed(STok& tok) {
  Advance();
  const size_t start = m_pos;
  while (Peek() != u']') {
    if (m_pos >= m_source.size() || IsLineBreak(Peek())) Fail(err::ExpectedRBracket);
    Advance();
  }
  tok.text.assign(m_source.substr(start, m_pos - start));
  Advance();
  if (tok.text.size() > kMaxIdentifier) Fail(err::IdentifierTooLong);
  tok.kind = ETok::Identifier;
}

void CLexer::LexOperator(STok& tok) {
  const char16_t c = Peek();
  Advance();
  switch (c) {
    case u'(': tok.kind = ETok::LParen; return;
    case u')': tok.kind = ETok::RParen; return;
    case u',': tok.kind = ETok::Comma; return;
    case u'.': tok.kind = ETok::Dot; return;
    case u'=': tok.kind = ETok::Eq; return;
    case u'+': tok.kind = ETok::Plus; return;
    case u'-': tok.kind = ETok::Minus; return;
    case u'*': tok.kind = ETok::Star; return;
    case u'/': tok.kind = ETok::Slash; return;
    case u'\\': tok.kind = ETok::Backslash; return;
    case u'^': tok.kind = ETok::Caret; return;
    case u'&': tok.kind = ETok::Amp; return;
    case u'<':
      if (Peek() == u'>') { Advance(); tok.kind = ETok::Ne; return; }
      if (Peek() == u'=') { Advance(); tok.kind = ETok::Le; return; }
      tok.kind = ETok::Lt;
      return;
    case u'>':
      if (Peek() == u'=') { Advance(); tok.kind = ETok::Ge; return; }
      tok.kind = ETok::Gt;
      return;
    default:
      --m_pos;
      Fail(err::InvalidCharacter);
  }
}

}  // namespace quillet::engine
