#pragma once
// What ASSOCIATORS OF and REFERENCES OF (and the members that ask the same) find: the
// association instances that refer to an object, or the objects at their other ends, filtered
// as the query says. For a class, the answer is the schema: the association classes that can
// refer to it, or the classes at their other ends.

#include <span>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"
#include "engine/objects/wmi/WqlAssociationQuery.h"

namespace quillet::engine {

// The members' arguments after the object, in the order the members take them: AssociatorsOf's
// (assocClass, resultClass, resultRole, role, classesOnly, schemaOnly, requiredAssocQualifier,
// requiredQualifier) and ReferencesTo's (resultClass, role, classesOnly, schemaOnly,
// requiredQualifier).
void FillAssociatorsRequest(SWqlAssociationQuery& query, std::span<CVariant> args);
void FillReferencesRequest(SWqlAssociationQuery& query, std::span<CVariant> args);

[[nodiscard]] WbemInstances RunAssociationQuery(const SWbemConnection& connection, const SWqlAssociationQuery& query);

}  // namespace quillet::engine
