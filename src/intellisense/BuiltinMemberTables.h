#pragma once
// Members of the objects that VBScript or its host provide without a type library: Err, Debug
// and the regular-expression objects. Source analysis names the regular-expression objects by
// pseudo-type names, which select their table here.

#include <optional>
#include <span>
#include <string_view>

namespace quillet::intellisense {

// The values are the characters the kinds have always been stored as.
enum class EMemberKind : char16_t {
  Method = u'0',
  Property = u'1',  // a property or a collection
};

struct BuiltinMemberRecord {
  std::u16string_view name;
  std::u16string_view syntax;
  std::u16string_view description;
  EMemberKind kind;
};

using BuiltinMemberTable = std::span<const BuiltinMemberRecord>;

// Each table in stored order.
extern const BuiltinMemberTable ErrMembers;
extern const BuiltinMemberTable DebugMembers;
extern const BuiltinMemberTable RegExpMembers;
extern const BuiltinMemberTable MatchesMembers;
extern const BuiltinMemberTable MatchMembers;
extern const BuiltinMemberTable SubMatchesMembers;

// The types that source analysis gives to a RegExp object, the result of its Execute, one item of
// that result, and the SubMatches of one item.
inline constexpr std::u16string_view kRegExpPseudoType = u"<regexp>";
inline constexpr std::u16string_view kMatchesPseudoType = u"<regexp_matches>";
inline constexpr std::u16string_view kMatchPseudoType = u"<regexp_match>";
inline constexpr std::u16string_view kSubMatchesPseudoType = u"<regexp_submatches>";

// The row whose name equals name without regard to ASCII case; the last one should a table ever
// hold the same name twice. Null when there is none.
[[nodiscard]] const BuiltinMemberRecord* FindMember(BuiltinMemberTable table,
                                                   std::u16string_view name);
// The table for one of the four pseudo-type names, or for the object names "err" and "debug",
// compared without regard to ASCII case.
[[nodiscard]] std::optional<BuiltinMemberTable> MemberTableForPseudoType(
    std::u16string_view typeName);

}  // namespace quillet::intellisense
