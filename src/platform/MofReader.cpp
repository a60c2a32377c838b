#include "platform/MofReader.h"

#include <array>
#include <utility>

#include "platform/TextConvert.h"

namespace quillet::platform {

namespace {

struct SMofError {
  std::string what;
};

enum class ETok { End, Name, Text, Number, Symbol };

struct SMofToken {
  ETok kind = ETok::End;
  std::string text;
  int line = 1;
};

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

struct SCimTypeName {
  std::string_view name;
  ECimType type;
};

constexpr std::array kCimTypes{
    SCimTypeName{"sint8", ECimType::Sint8},     SCimTypeName{"uint8", ECimType::Uint8},
    SCimTypeName{"sint16", ECimType::Sint16},   SCimTypeName{"uint16", ECimType::Uint16},
    SCimTypeName{"sint32", ECimType::Sint32},   SCimTypeName{"uint32", ECimType::Uint32},
    SCimTypeName{"sint64", ECimType::Sint64},   SCimTypeName{"uint64", ECimType::Uint64},
    SCimTypeName{"real32", ECimType::Real32},   SCimTypeName{"real64", ECimType::Real64},
    SCimTypeName{"string", ECimType::String},   SCimTypeName{"boolean", ECimType::Boolean},
    SCimTypeName{"datetime", ECimType::Datetime}, SCimTypeName{"char16", ECimType::Char16},
    SCimTypeName{"object", ECimType::Object},
};

class CMofLexer {
 public:
  explicit CMofLexer(std::string_view text) : m_text(text) {}

  SMofToken Next() {
    SkipSpaceAndComments();
    SMofToken token;
    token.line = m_line;
    if (m_at >= m_text.size()) return token;
    const char c = m_text[m_at];
    if (c == '"') {
      token.kind = ETok::Text;
      token.text = Quoted();
    } else if (IsNameChar(c) && !(c >= '0' && c <= '9')) {
      token.kind = ETok::Name;
      while (m_at < m_text.size() && IsNameChar(m_text[m_at])) token.text += m_text[m_at++];
    } else if ((c >= '0' && c <= '9') || c == '-') {
      token.kind = ETok::Number;
      token.text += m_text[m_at++];
      while (m_at < m_text.size() && ((m_text[m_at] >= '0' && m_text[m_at] <= '9') || m_text[m_at] == '.')) {
        token.text += m_text[m_at++];
      }
    } else {
      token.kind = ETok::Symbol;
      token.text = std::string(1, c);
      ++m_at;
    }
    return token;
  }

 private:
  void SkipSpaceAndComments() {
    while (m_at < m_text.size()) {
      const char c = m_text[m_at];
      if (c == '\n') {
        ++m_line;
        ++m_at;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++m_at;
      } else if (m_text.substr(m_at, 2) == "//") {
        while (m_at < m_text.size() && m_text[m_at] != '\n') ++m_at;
      } else if (m_text.substr(m_at, 2) == "/*") {
        const size_t end = m_text.find("*/", m_at + 2);
        if (end == std::string_view::npos) throw SMofError{"a comment that never ends"};
        for (size_t i = m_at; i < end; ++i) m_line += m_text[i] == '\n' ? 1 : 0;
        m_at = end + 2;
      } else {
        return;
      }
    }
  }

  std::string Quoted() {
    std::string value;
    for (++m_at; m_at < m_text.size(); ++m_at) {
      const char c = m_text[m_at];
      if (c == '"') {
        ++m_at;
        return value;
      }
      if (c == '\n') break;
      if (c == '\\' && m_at + 1 < m_text.size()) {
        const char e = m_text[++m_at];
        value += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        continue;
      }
      value += c;
    }
    throw SMofError{"a string that never ends"};
  }

  std::string_view m_text;
  size_t m_at = 0;
  int m_line = 1;
};

struct SQualifiers {
  bool key = false;
  bool in = false;
  bool out = false;
  bool isStatic = false;
  bool association = false;
  std::u16string description;
  std::vector<SWmiQualifier> all;  // every qualifier, as written
};

class CMofParser {
 public:
  explicit CMofParser(std::string_view text) : m_lexer(text) { Advance(); }

  std::vector<std::unique_ptr<SWmiClass>> Read() {
    std::vector<std::unique_ptr<SWmiClass>> classes;
    while (m_token.kind != ETok::End) {
      if (IsSymbol("#")) {
        Pragma();
        continue;
      }
      const SQualifiers qualifiers = Qualifiers();
      if (!IsWord("class")) Fail("a class declaration expected");
      classes.push_back(Class(qualifiers));
    }
    return classes;
  }

  int Line() const { return m_token.line; }

 private:
  [[noreturn]] static void Fail(std::string what) { throw SMofError{std::move(what)}; }
  void Advance() { m_token = m_lexer.Next(); }
  bool IsSymbol(std::string_view s) const { return m_token.kind == ETok::Symbol && m_token.text == s; }
  bool IsWord(std::string_view w) const { return m_token.kind == ETok::Name && SameWord(m_token.text, w); }
  void Expect(std::string_view s) {
    if (!IsSymbol(s)) Fail("\"" + std::string(s) + "\" expected");
    Advance();
  }
  std::string TakeName(const char* what) {
    if (m_token.kind != ETok::Name) Fail(std::string(what) + " expected");
    std::string name = std::move(m_token.text);
    Advance();
    return name;
  }
  // Adjacent strings join, as in C.
  std::string TakeText() {
    if (m_token.kind != ETok::Text) Fail("a string expected");
    std::string text;
    while (m_token.kind == ETok::Text) {
      text += m_token.text;
      Advance();
    }
    return text;
  }

  void Pragma() {
    Advance();
    if (!IsWord("pragma")) Fail("#pragma expected");
    Advance();
    const std::string name = TakeName("a pragma name");
    Expect("(");
    const std::string value = TakeText();
    Expect(")");
    if (!SameWord(name, "namespace")) return;  // other pragmas change nothing the catalogue keeps
    std::string ns = value;
    if (ns.rfind("\\\\.\\", 0) == 0) ns = ns.substr(4);
    m_namespace = Utf8ToUtf16(ns);
  }

  SQualifiers Qualifiers() {
    SQualifiers qualifiers;
    if (!IsSymbol("[")) return qualifiers;
    Advance();
    for (;;) {
      const std::string name = TakeName("a qualifier");
      std::string value;
      SWmiQualifier::EKind kind = SWmiQualifier::EKind::Flag;
      if (IsSymbol("(")) {
        Advance();
        if (m_token.kind == ETok::Text) {
          value = TakeText();
          kind = SWmiQualifier::EKind::Text;
        } else if (m_token.kind == ETok::Number || m_token.kind == ETok::Name) {
          value = m_token.text;
          kind = m_token.kind == ETok::Number ? SWmiQualifier::EKind::Number : SWmiQualifier::EKind::Text;
          Advance();
        } else {
          Fail("a qualifier value expected");
        }
        Expect(")");
      }
      if (SameWord(name, "key")) qualifiers.key = true;
      else if (SameWord(name, "in")) qualifiers.in = true;
      else if (SameWord(name, "out")) qualifiers.out = true;
      else if (SameWord(name, "static")) qualifiers.isStatic = true;
      else if (SameWord(name, "association")) qualifiers.association = true;
      else if (SameWord(name, "description")) qualifiers.description = Utf8ToUtf16(value);
      qualifiers.all.push_back(SWmiQualifier{kind, Utf8ToUtf16(name), Utf8ToUtf16(value)});
      if (IsSymbol("]")) break;
      Expect(",");
    }
    Advance();
    return qualifiers;
  }

  ECimType Type(std::string& refClass) {
    const std::string name = TakeName("a type");
    for (const SCimTypeName& known : kCimTypes) {
      if (SameWord(name, known.name)) return known.type;
    }
    if (IsWord("ref")) {
      Advance();
      refClass = name;
      return ECimType::Reference;
    }
    Fail("unknown type " + name);
  }

  bool ArraySuffix() {
    if (!IsSymbol("[")) return false;
    Advance();
    Expect("]");
    return true;
  }

  std::unique_ptr<SWmiClass> Class(const SQualifiers& qualifiers) {
    Advance();
    auto cls = std::make_unique<SWmiClass>();
    cls->nameSpace = m_namespace;
    cls->name = Utf8ToUtf16(TakeName("a class name"));
    cls->description = qualifiers.description;
    cls->isAssociation = qualifiers.association;
    cls->qualifiers = qualifiers.all;
    if (IsSymbol(":")) {
      Advance();
      cls->superclass = Utf8ToUtf16(TakeName("a superclass name"));
    }
    Expect("{");
    while (!IsSymbol("}")) {
      if (m_token.kind == ETok::End) Fail("the class never ends");
      Member(*cls);
    }
    Advance();
    Expect(";");
    return cls;
  }

  void Member(SWmiClass& cls) {
    const SQualifiers qualifiers = Qualifiers();
    std::string refClass;
    const ECimType type = Type(refClass);
    std::u16string name = Utf8ToUtf16(TakeName("a member name"));
    if (IsSymbol("(")) {
      Advance();
      SWmiMethod method{std::move(name), type, qualifiers.isStatic, {}, qualifiers.description, cls.name, qualifiers.all};
      while (!IsSymbol(")")) {
        if (!method.parameters.empty()) Expect(",");
        method.parameters.push_back(Parameter());
      }
      Advance();
      cls.methods.push_back(std::move(method));
    } else {
      SWmiProperty property{std::move(name), type, false, qualifiers.key, qualifiers.description, cls.name,
                            Utf8ToUtf16(refClass), qualifiers.all};
      property.isArray = ArraySuffix();
      cls.properties.push_back(std::move(property));
    }
    Expect(";");
  }

  SWmiParameter Parameter() {
    const SQualifiers qualifiers = Qualifiers();
    std::string refClass;
    SWmiParameter parameter;
    parameter.type = Type(refClass);
    parameter.name = Utf8ToUtf16(TakeName("a parameter name"));
    parameter.isArray = ArraySuffix();
    parameter.in = qualifiers.in || !qualifiers.out;
    parameter.out = qualifiers.out;
    return parameter;
  }

  CMofLexer m_lexer;
  SMofToken m_token;
  std::u16string m_namespace = u"root\\cimv2";
};

}  // namespace

SMofReadResult ReadMof(std::string_view text) {
  SMofReadResult result;
  std::unique_ptr<CMofParser> parser;
  try {
    parser = std::make_unique<CMofParser>(text);
    result.classes = parser->Read();
    result.ok = true;
  } catch (const SMofError& error) {
    result.classes.clear();
    result.error = "line " + std::to_string(parser ? parser->Line() : 1) + ": " + error.what;
  }
  return result;
}

}  // namespace quillet::platform
