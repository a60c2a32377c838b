#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/SafeArray.h"
#include "engine/objects/wmi/WqlQuery.h"

namespace quillet::engine {

namespace {

using namespace wbem_text;

// What CompareValues answers when the two cannot be compared (text that is no number against a
// number, arrays, objects); otherwise it answers the sign of a - b.
constexpr int kIncomparable = 2;

int CompareText(std::u16string_view a, std::u16string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsScalar(const CVariant& v) { return !v.IsArray() && !v.IsObject(); }

// The number a text spells in the plain form the service accepts ("42", "-1.5"); false otherwise.
bool NumberFromText(std::u16string_view text, double& number) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 64) return false;
  std::string digits;
  for (const char16_t c : text) {
    if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-' || c == u'+')) return false;
    digits += static_cast<char>(c);
  }
  char* end = nullptr;
  number = std::strtod(digits.c_str(), &end);
  return end == digits.c_str() + digits.size();
}

bool NumberOf(const CVariant& v, double& number) {
  if (v.IsString()) return NumberFromText(v.AsString(), number);
  number = v.ToDouble();
  return true;
}

int CompareValues(const CVariant& a, const CVariant& b) {
  if (!IsScalar(a) || !IsScalar(b)) return kIncomparable;
  if (a.IsString() && b.IsString()) return CompareText(a.AsString(), b.AsString());
  double x = 0;
  double y = 0;
  if (!NumberOf(a, x) || !NumberOf(b, y)) return kIncomparable;
  return x < y ? -1 : (x > y ? 1 : 0);
}

CVariant ValueOf(const SWqlOperand& operand, const WqlPropertyReader& read) {
  return operand.isProperty ? read(operand.property) : operand.literal;
}

// The object a property holds is of the class, or of one derived from it.
bool IsA(const std::u16string& property, std::u16string_view className, const WqlPropertyReader& read) {
  const CVariant cls = read(property + u".__CLASS");
  if (cls.IsString() && SameName(cls.AsString(), className)) return true;
  const CVariant derivation = read(property + u".__DERIVATION");
  if (!derivation.IsArray()) return false;
  CSafeArray* bases = derivation.AsArray();
  for (size_t i = 0; i < bases->Size(); ++i) {
    const CVariant& base = bases->At(i);
    if (base.IsString() && SameName(base.AsString(), className)) return true;
  }
  return false;
}

bool Compare(const SWqlCondition& c, const WqlPropertyReader& read) {
  if (c.op == EWqlOperator::Isa) return IsA(c.first.property, c.second.literal.AsString(), read);
  const CVariant a = ValueOf(c.first, read);
  if (c.op == EWqlOperator::IsNull) return a.IsNull();
  if (c.op == EWqlOperator::IsNotNull) return !a.IsNull();
  const CVariant b = ValueOf(c.second, read);
  // "= NULL" and "<> NULL" are the service's other spelling of IS [NOT] NULL.
  const bool nullLiteral = (!c.first.isProperty && a.IsNull()) || (!c.second.isProperty && b.IsNull());
  if (nullLiteral && c.op == EWqlOperator::Equal) return a.IsNull() && b.IsNull();
  if (nullLiteral && c.op == EWqlOperator::NotEqual) return !(a.IsNull() && b.IsNull());
  if (a.IsNull() || b.IsNull()) return false;
  if (c.op == EWqlOperator::Like) return IsScalar(a) && WqlLike(a.ToString(), b.AsString());
  const int order = CompareValues(a, b);
  if (order == kIncomparable) return c.op == EWqlOperator::NotEqual;
  switch (c.op) {
    case EWqlOperator::Equal: return order == 0;
    case EWqlOperator::NotEqual: return order != 0;
    case EWqlOperator::Less: return order < 0;
    case EWqlOperator::Greater: return order > 0;
    case EWqlOperator::LessOrEqual: return order <= 0;
    case EWqlOperator::GreaterOrEqual: return order >= 0;
    default: return false;
  }
}

// One character of a [ ] set at pattern[at] (just past the '['); at moves past the ']'.
bool InSet(char16_t c, std::u16string_view pattern, size_t& at, bool& wellFormed) {
  bool negated = false;
  if (at < pattern.size() && pattern[at] == u'^') {
    negated = true;
    ++at;
  }
  bool found = false;
  bool first = true;
  while (at < pattern.size() && (pattern[at] != u']' || first)) {
    first = false;
    const char16_t low = FoldCase(pattern[at]);
    char16_t high = low;
    if (at + 2 < pattern.size() && pattern[at + 1] == u'-' && pattern[at + 2] != u']') {
      high = FoldCase(pattern[at + 2]);
      at += 2;
    }
    const char16_t x = FoldCase(c);
    if (x >= low && x <= high) found = true;
    ++at;
  }
  wellFormed = at < pattern.size();
  ++at;
  return found != negated;
}

}  // namespace

// Iterative with one backtrack point for the last %, so a long text cannot make it exponential.
bool WqlLike(std::u16string_view text, std::u16string_view pattern) {
  size_t t = 0;
  size_t p = 0;
  size_t starP = std::u16string_view::npos;
  size_t starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == u'%') {
      starP = ++p;
      starT = t;
      continue;
    }
    bool matched = false;
    size_t next = p + 1;
    if (p < pattern.size()) {
      if (pattern[p] == u'_') {
        matched = true;
      } else if (pattern[p] == u'[') {
        bool wellFormed = true;
        next = p + 1;
        matched = InSet(text[t], pattern, next, wellFormed);
        if (!wellFormed) return false;
      } else {
        matched = FoldCase(pattern[p]) == FoldCase(text[t]);
      }
    }
    if (matched) {
      p = next;
      ++t;
    } else if (starP != std::u16string_view::npos) {
      p = starP;
      t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'%') ++p;
  return p == pattern.size();
}

bool WqlMatches(const SWqlCondition& condition, const WqlPropertyReader& read) {
  switch (condition.kind) {
    case SWqlCondition::EKind::And: return WqlMatches(*condition.left, read) && WqlMatches(*condition.right, read);
    case SWqlCondition::EKind::Or: return WqlMatches(*condition.left, read) || WqlMatches(*condition.right, read);
    case SWqlCondition::EKind::Not: return !WqlMatches(*condition.left, read);
    case SWqlCondition::EKind::Compare: return Compare(condition, read);
  }
  return false;
}

void CollectWqlProperties(const SWqlCondition& condition, std::vector<std::u16string>& names) {
  if (condition.kind != SWqlCondition::EKind::Compare) {
    CollectWqlProperties(*condition.left, names);
    if (condition.right) CollectWqlProperties(*condition.right, names);
    return;
  }
  for (const SWqlOperand* operand : {&condition.first, &condition.second}) {
    if (!operand->isProperty) continue;
    const bool known = std::any_of(names.begin(), names.end(),
                                   [&](const std::u16string& name) { return SameName(name, operand->property); });
    if (!known) names.push_back(operand->property);
  }
}

}  // namespace quillet::engine
