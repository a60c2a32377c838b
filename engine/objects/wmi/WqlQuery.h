#pragma once
// WQL data and event queries: SELECT * | prop, prop FROM class [WITHIN seconds] [WHERE condition],
// the condition made of =, <>, !=, <, >, <=, >=, LIKE (%, _, [ ]), IS [NOT] NULL, ISA, AND, OR,
// NOT and parentheses over properties (Object.Property for an embedded object's) and literals
// (strings in single or double quotes, numbers, TRUE, FALSE, NULL). WITHIN belongs to event
// queries; data queries refuse it. Malformed text throws CScriptError 0x80041017 (invalid query),
// as Windows does.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/runtime/Variant.h"

namespace quillet::engine {

// Isa: the property holds an object of the class named by the text, or of one derived from it.
enum class EWqlOperator { Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, Like, IsNull, IsNotNull, Isa };

struct SWqlOperand {
  bool isProperty = false;
  std::u16string property;  // when isProperty
  CVariant literal;         // otherwise: Null, Boolean, Double or String
};

struct SWqlCondition {
  enum class EKind { And, Or, Not, Compare } kind = EKind::Compare;
  std::unique_ptr<SWqlCondition> left;   // And, Or, Not
  std::unique_ptr<SWqlCondition> right;  // And, Or
  EWqlOperator op = EWqlOperator::Equal;  // Compare
  SWqlOperand first;
  SWqlOperand second;  // unused by IS [NOT] NULL
};

struct SWqlQuery {
  std::u16string className;
  bool allProperties = false;
  std::vector<std::u16string> properties;  // as written, when not *
  std::unique_ptr<SWqlCondition> where;    // null without WHERE
  double within = 0;                       // seconds, above 0 when the query says WITHIN
};

[[nodiscard]] SWqlQuery ParseWql(std::u16string_view text);

// The value of a property of the instance being tested; Null where it has none. ISA asks for
// "Property.__CLASS" and "Property.__DERIVATION" (the classes it derives from, an array), as an
// embedded object answers them.
using WqlPropertyReader = std::function<CVariant(std::u16string_view name)>;

// Whether an instance passes the condition. A comparison with Null is false, text compares
// without regard to case, as the service compares it.
[[nodiscard]] bool WqlMatches(const SWqlCondition& condition, const WqlPropertyReader& read);

// The names of the properties a condition reads, each once, for checking them against the class.
void CollectWqlProperties(const SWqlCondition& condition, std::vector<std::u16string>& names);

// LIKE: % any run, _ any one character, [abc] [a-z] [^a] one of a set; without regard to case.
[[nodiscard]] bool WqlLike(std::u16string_view text, std::u16string_view pattern);

}  // namespace quillet::engine
