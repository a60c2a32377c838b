#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WqlQuery.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

// Deeper nesting and longer conditions than any real query, low enough that evaluating and
// freeing the tree (both recursive) stays well within the stack.
constexpr int kMaxDepth = 200;
constexpr int kMaxJoins = 4096;
// A polling interval beyond a year is a mistake, not a wish; it also keeps time arithmetic finite.
constexpr double kMaxWithinSeconds = 366.0 * 24 * 3600;

[[noreturn]] void ThrowInvalid() { wbem_error::Raise(wbem_error::kInvalidQuery, u"SWbemServicesEx"); }

enum class ETokenKind { End, Name, Text, Number, Symbol };

struct SToken {
  ETokenKind kind = ETokenKind::End;
  std::u16string text;
  double number = 0;
};

bool IsNameStart(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c > 0x7F; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

class CWqlLexer {
 public:
  explicit CWqlLexer(std::u16string_view text) : m_text(text) {}

  SToken Next() {
    while (m_at < m_text.size() && IsSpace(m_text[m_at])) ++m_at;
    if (m_at >= m_text.size()) return {};
    const char16_t c = m_text[m_at];
    if (IsNameStart(c)) return Name();
    if (c == u'\'' || c == u'"') return Text(c);
    if (IsDigit(c) || ((c == u'-' || c == u'+' || c == u'.') && m_at + 1 < m_text.size() && IsDigit(m_text[m_at + 1]))) {
      return Number();
    }
    return Symbol();
  }

 private:
  SToken Name() {
    const size_t start = m_at;
    // A dot joins an embedded object's name to its property's: TargetInstance.Name.
    while (m_at < m_text.size() && (IsNameStart(m_text[m_at]) || IsDigit(m_text[m_at]) ||
                                    (m_text[m_at] == u'.' && m_at + 1 < m_text.size() && IsNameStart(m_text[m_at + 1])))) {
      ++m_at;
    }
    return SToken{ETokenKind::Name, std::u16string(m_text.substr(start, m_at - start))};
  }

  // Quotes of the other kind stand for themselves; a backslash takes the next character as it is.
  SToken Text(char16_t quote) {
    std::u16string value;
    for (++m_at; m_at < m_text.size(); ++m_at) {
      const char16_t c = m_text[m_at];
      if (c == quote) {
        ++m_at;
        return SToken{ETokenKind::Text, std::move(value)};
      }
      if (c == u'\\' && m_at + 1 < m_text.size()) ++m_at;
      value += m_text[m_at];
    }
    ThrowInvalid();  // the string never ends
  }

  SToken Number() {
    const size_t start = m_at;
    if (m_text[m_at] == u'-' || m_text[m_at] == u'+') ++m_at;
    bool point = false;
    while (m_at < m_text.size() && (IsDigit(m_text[m_at]) || (m_text[m_at] == u'.' && !point))) {
      point = point || m_text[m_at] == u'.';
      ++m_at;
    }
    std::string digits;
    for (size_t i = start; i < m_at; ++i) digits += static_cast<char>(m_text[i]);
    if (m_at < m_text.size() && IsNameStart(m_text[m_at])) ThrowInvalid();  // 12abc
    // strtod rather than stod: a number too long for a double is infinite, not an exception.
    return SToken{ETokenKind::Number, std::u16string(m_text.substr(start, m_at - start)),
                  std::strtod(digits.c_str(), nullptr)};
  }

  SToken Symbol() {
    static constexpr std::u16string_view kTwo[] = {u"<>", u"!=", u"<=", u">="};
    for (const std::u16string_view two : kTwo) {
      if (m_text.substr(m_at, 2) == two) {
        m_at += 2;
        return SToken{ETokenKind::Symbol, std::u16string(two)};
      }
    }
    const char16_t c = m_text[m_at];
    if (std::u16string_view(u"=<>(),*").find(c) == std::u16string_view::npos) ThrowInvalid();
    ++m_at;
    return SToken{ETokenKind::Symbol, std::u16string(1, c)};
  }

  std::u16string_view m_text;
  size_t m_at = 0;
};

class CWqlParser {
 public:
  explicit CWqlParser(std::u16string_view text) : m_lexer(text) { Advance(); }

  SWqlQuery Query() {
    SWqlQuery query;
    ExpectWord(u"select");
    SelectList(query);
    ExpectWord(u"from");
    if (m_token.kind != ETokenKind::Name || IsKeyword(m_token.text)) ThrowInvalid();
    query.className = m_token.text;
    Advance();
    if (IsWord(u"within")) {
      Advance();
      if (m_token.kind != ETokenKind::Number || !(m_token.number > 0) || m_token.number > kMaxWithinSeconds) ThrowInvalid();
      query.within = m_token.number;
      Advance();
    }
    if (IsWord(u"where")) {
      Advance();
      query.where = Or(0);
    }
    if (m_token.kind != ETokenKind::End) ThrowInvalid();
    return query;
  }

 private:
  static bool IsKeyword(std::u16string_view word) {
    static constexpr std::u16string_view kKeywords[] = {u"select", u"from", u"where", u"and", u"or", u"not",
                                                        u"like",   u"is",   u"null",  u"true", u"false",
                                                        u"within"};
    for (const std::u16string_view keyword : kKeywords) {
      if (SameName(word, keyword)) return true;
    }
    return false;
  }

  void Advance() { m_token = m_lexer.Next(); }
  bool IsWord(std::u16string_view word) const { return m_token.kind == ETokenKind::Name && SameName(m_token.text, word); }
  bool IsSymbol(std::u16string_view symbol) const { return m_token.kind == ETokenKind::Symbol && m_token.text == symbol; }
  void ExpectWord(std::u16string_view word) {
    if (!IsWord(word)) ThrowInvalid();
    Advance();
  }

  void SelectList(SWqlQuery& query) {
    if (IsSymbol(u"*")) {
      query.allProperties = true;
      Advance();
      return;
    }
    for (;;) {
      if (m_token.kind != ETokenKind::Name || IsKeyword(m_token.text)) ThrowInvalid();
      query.properties.push_back(m_token.text);
      Advance();
      if (!IsSymbol(u",")) return;
      Advance();
    }
  }

  std::unique_ptr<SWqlCondition> Joined(SWqlCondition::EKind kind, std::unique_ptr<SWqlCondition> left,
                                        std::unique_ptr<SWqlCondition> right) {
    if (++m_joins > kMaxJoins) ThrowInvalid();
    auto node = std::make_unique<SWqlCondition>();
    node->kind = kind;
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  std::unique_ptr<SWqlCondition> Or(int depth) {
    auto left = And(depth);
    while (IsWord(u"or")) {
      Advance();
      left = Joined(SWqlCondition::EKind::Or, std::move(left), And(depth));
    }
    return left;
  }

  std::unique_ptr<SWqlCondition> And(int depth) {
    auto left = Unary(depth);
    while (IsWord(u"and")) {
      Advance();
      left = Joined(SWqlCondition::EKind::And, std::move(left), Unary(depth));
    }
    return left;
  }

  std::unique_ptr<SWqlCondition> Unary(int depth) {
    if (depth > kMaxDepth) ThrowInvalid();
    if (IsWord(u"not")) {
      Advance();
      return Joined(SWqlCondition::EKind::Not, Unary(depth + 1), nullptr);
    }
    if (IsSymbol(u"(")) {
      Advance();
      auto inner = Or(depth + 1);
      if (!IsSymbol(u")")) ThrowInvalid();
      Advance();
      return inner;
    }
    return Comparison();
  }

  SWqlOperand Operand() {
    SWqlOperand operand;
    if (m_token.kind == ETokenKind::Text) {
      operand.literal = CVariant::String(m_token.text);
    } else if (m_token.kind == ETokenKind::Number) {
      operand.literal = CVariant::Double(m_token.number);
    } else if (IsWord(u"true") || IsWord(u"false")) {
      operand.literal = CVariant::Boolean(IsWord(u"true"));
    } else if (IsWord(u"null")) {
      operand.literal = CVariant::Null();
    } else if (m_token.kind == ETokenKind::Name && !IsKeyword(m_token.text)) {
      operand.isProperty = true;
      operand.property = m_token.text;
    } else {
      ThrowInvalid();
    }
    Advance();
    return operand;
  }

  std::optional<EWqlOperator> ComparisonOperator() const {
    if (m_token.kind == ETokenKind::Symbol) {
      if (m_token.text == u"=") return EWqlOperator::Equal;
      if (m_token.text == u"<>" || m_token.text == u"!=") return EWqlOperator::NotEqual;
      if (m_token.text == u"<") return EWqlOperator::Less;
      if (m_token.text == u">") return EWqlOperator::Greater;
      if (m_token.text == u"<=") return EWqlOperator::LessOrEqual;
      if (m_token.text == u">=") return EWqlOperator::GreaterOrEqual;
    }
    if (IsWord(u"like")) return EWqlOperator::Like;
    return std::nullopt;
  }

  std::unique_ptr<SWqlCondition> Comparison() {
    auto node = std::make_unique<SWqlCondition>();
    node->first = Operand();
    if (IsWord(u"is")) {
      Advance();
      const bool negated = IsWord(u"not");
      if (negated) Advance();
      ExpectWord(u"null");
      if (!node->first.isProperty) ThrowInvalid();
      node->op = negated ? EWqlOperator::IsNotNull : EWqlOperator::IsNull;
      return node;
    }
    if (IsWord(u"isa")) {
      Advance();
      if (!node->first.isProperty || m_token.kind != ETokenKind::Text || m_token.text.empty()) ThrowInvalid();
      node->op = EWqlOperator::Isa;
      node->second.literal = CVariant::String(m_token.text);
      Advance();
      return node;
    }
    const std::optional<EWqlOperator> op = ComparisonOperator();
    if (!op) ThrowInvalid();
    Advance();
    node->op = *op;
    node->second = Operand();
    // One side names a property; LIKE takes the property on the left and a text pattern.
    if (!node->first.isProperty && !node->second.isProperty) ThrowInvalid();
    if (*op == EWqlOperator::Like && (!node->first.isProperty || node->second.isProperty ||
                                      !node->second.literal.IsString())) {
      ThrowInvalid();
    }
    return node;
  }

  CWqlLexer m_lexer;
  SToken m_token;
  int m_joins = 0;
};

}  // namespace

SWqlQuery ParseWql(std::u16string_view text) { return CWqlParser(text).Query(); }

}  // namespace quillet::engine
