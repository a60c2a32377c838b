#pragma once
// WQL schema queries over associations:
//   ASSOCIATORS OF {path} [WHERE AssocClass = C ClassDefsOnly RequiredAssocQualifier = Q
//                                RequiredQualifier = Q ResultClass = C ResultRole = P Role = P
//                                SchemaOnly KeysOnly]
//   REFERENCES OF {path} [WHERE ClassDefsOnly RequiredQualifier = Q ResultClass = C Role = P
//                               SchemaOnly KeysOnly]
// The clauses follow WHERE in any order, separated by spaces only, each at most once. Malformed
// text throws CScriptError 0x80041017 (invalid query), as Windows does.

#include <string>
#include <string_view>

namespace quillet::engine {

struct SWqlAssociationQuery {
  bool references = false;  // REFERENCES OF: the association objects themselves
  std::u16string objectPath;
  std::u16string assocClass;
  std::u16string resultClass;
  std::u16string resultRole;
  std::u16string role;
  std::u16string requiredAssocQualifier;
  std::u16string requiredQualifier;
  bool classDefsOnly = false;
  bool schemaOnly = false;
  bool keysOnly = false;
};

// Whether the text starts as an association query does (ASSOCIATORS or REFERENCES), so that it
// goes to ParseWqlAssociation rather than the SELECT reader.
[[nodiscard]] bool IsWqlAssociationQuery(std::u16string_view text);

[[nodiscard]] SWqlAssociationQuery ParseWqlAssociation(std::u16string_view text);

}  // namespace quillet::engine
