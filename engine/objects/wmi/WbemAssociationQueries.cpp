#include "engine/objects/wmi/WbemAssociationQueries.h"

#include <map>
#include <set>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectPath.h"
#include "engine/objects/wmi/WbemProvider.h"
#include "engine/objects/wmi/WbemQueries.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/vm/VirtualMachine.h"

namespace quillet::engine {

namespace {

using platform::CWmiCatalog;
using platform::ECimType;
using platform::SWmiClass;
using platform::SWmiProperty;
using namespace wbem_text;

const CWmiCatalog& Catalogue() { return CWmiCatalog::Installed(); }

// Qualifiers are looked for up the derivation too: a class keeps what its bases declare.
bool HasQualifier(const SWmiClass& cls, std::u16string_view name) {
  for (const SWmiClass* at = &cls; at != nullptr; at = Catalogue().Find(at->nameSpace, at->superclass)) {
    if (platform::FindQualifier(at->qualifiers, name) != nullptr) return true;
    if (at->superclass.empty()) break;
  }
  return false;
}

bool IsReference(const SWmiProperty& property) { return property.type == ECimType::Reference; }

// A reference holds a full path; what identifies the object is the part after the namespace.
std::u16string RelativeOfReference(const CVariant& value) {
  if (!value.IsString()) return {};
  const std::u16string_view path = value.AsString();
  const size_t colon = path.starts_with(u"\\\\") ? path.find(u':') : std::u16string_view::npos;
  return Lowered(colon == std::u16string_view::npos ? path : path.substr(colon + 1));
}

bool WantedClass(const SWmiClass& cls, const std::u16string& resultClass, const std::u16string& requiredQualifier) {
  if (!resultClass.empty() && !Catalogue().DerivesFrom(cls, resultClass)) return false;
  return requiredQualifier.empty() || HasQualifier(cls, requiredQualifier);
}

// The association classes a query looks through: those with a provider (the others have no
// instances), of the class asked for, with a reference the target can be.
std::vector<const SWmiClass*> AssociationClasses(const SWbemConnection& connection, const SWqlAssociationQuery& query,
                                                 const SWmiClass& target, bool withProviderOnly) {
  std::vector<const SWmiClass*> found;
  for (const auto& cls : Catalogue().Classes()) {
    if (!cls->isAssociation || !SameName(cls->nameSpace, connection.nameSpace)) continue;
    if (withProviderOnly && FindWbemProvider(cls->nameSpace, cls->name) == nullptr) continue;
    if (!query.assocClass.empty() && !Catalogue().DerivesFrom(*cls, query.assocClass)) continue;
    if (!query.requiredAssocQualifier.empty() && !HasQualifier(*cls, query.requiredAssocQualifier)) continue;
    for (const SWmiProperty& property : cls->properties) {
      if (IsReference(property) && Catalogue().DerivesFrom(target, property.refClass)) {
        found.push_back(cls.get());
        break;
      }
    }
  }
  return found;
}

std::shared_ptr<SWbemInstance> ClassObject(const SWmiClass& cls) {
  auto object = std::make_shared<SWbemInstance>(cls);
  object->isClass = true;
  return object;
}

// The objects the other ends name, each class enumerated once per query.
class CEndResolver {
 public:
  std::shared_ptr<SWbemInstance> Resolve(const std::u16string& nameSpace, const CVariant& reference) {
    if (!reference.IsString()) return nullptr;
    const std::u16string relative = RelativeOfReference(reference);
    const SWmiClass* cls = Catalogue().Find(nameSpace, ParseObjectPath(reference.AsString()).className);
    if (cls == nullptr) return nullptr;
    auto& byPath = m_byClass[Lowered(cls->name)];
    if (byPath.empty()) {
      for (auto& instance : InstancesOfClassAndSubclasses(*cls)) byPath.emplace(Lowered(RelativePathOf(*instance)), instance);
    }
    const auto found = byPath.find(relative);
    return found == byPath.end() ? nullptr : found->second;
  }

 private:
  std::map<std::u16string, std::map<std::u16string, std::shared_ptr<SWbemInstance>>> m_byClass;
};

// What a query of a class answers: the association classes, or the classes at their other ends.
WbemInstances SchemaAnswer(const SWbemConnection& connection, const SWqlAssociationQuery& query, const SWmiClass& target) {
  WbemInstances classes;
  std::set<std::u16string> seen;
  const auto add = [&](const SWmiClass& cls) {
    if (seen.insert(Lowered(cls.name)).second) classes.push_back(ClassObject(cls));
  };
  for (const SWmiClass* association : AssociationClasses(connection, query, target, false)) {
    if (platform::FindQualifier(association->qualifiers, u"Abstract") != nullptr) continue;
    for (const SWmiProperty& role : association->properties) {
      if (!IsReference(role) || !Catalogue().DerivesFrom(target, role.refClass)) continue;
      if (!query.role.empty() && !SameName(role.name, query.role)) continue;
      if (query.references) {
        if (WantedClass(*association, query.resultClass, query.requiredQualifier)) add(*association);
        continue;
      }
      for (const SWmiProperty& other : association->properties) {
        if (!IsReference(other) || &other == &role) continue;
        if (!query.resultRole.empty() && !SameName(other.name, query.resultRole)) continue;
        const SWmiClass* end = Catalogue().Find(association->nameSpace, other.refClass);
        if (end != nullptr && WantedClass(*end, query.resultClass, query.requiredQualifier)) add(*end);
      }
    }
  }
  return classes;
}

// Keys only, as KeysOnly asks: the rest of each object is Null.
void KeepKeys(SWbemInstance& instance) {
  for (size_t i = 0; i < instance.values.size(); ++i) {
    if (!instance.cls->properties[i].isKey) instance.values[i] = CVariant::Null();
  }
}

WbemInstances ClassesOf(const WbemInstances& instances) {
  WbemInstances classes;
  std::set<std::u16string> seen;
  for (const auto& instance : instances) {
    if (seen.insert(Lowered(instance->cls->name)).second) classes.push_back(ClassObject(*instance->cls));
  }
  return classes;
}

std::u16string Text(const CVariant& arg) { return LetValue(arg).ToString(); }
bool Flag(const CVariant& arg) { return LetValue(arg).ToBool(); }

}  // namespace

void FillAssociatorsRequest(SWqlAssociationQuery& query, std::span<CVariant> args) {
  query.assocClass = Text(args[0]);
  query.resultClass = Text(args[1]);
  query.resultRole = Text(args[2]);
  query.role = Text(args[3]);
  query.classDefsOnly = Flag(args[4]);
  query.schemaOnly = Flag(args[5]);
  query.requiredAssocQualifier = Text(args[6]);
  query.requiredQualifier = Text(args[7]);
}

void FillReferencesRequest(SWqlAssociationQuery& query, std::span<CVariant> args) {
  query.resultClass = Text(args[0]);
  query.role = Text(args[1]);
  query.classDefsOnly = Flag(args[2]);
  query.schemaOnly = Flag(args[3]);
  query.requiredQualifier = Text(args[4]);
}

WbemInstances RunAssociationQuery(const SWbemConnection& connection, const SWqlAssociationQuery& query) {
  const std::shared_ptr<SWbemInstance> target = ObjectAtPath(connection, query.objectPath);
  if (target->isClass) return SchemaAnswer(connection, query, *target->cls);
  if (query.schemaOnly) wbem_error::Raise(wbem_error::kInvalidQuery, u"SWbemServicesEx");
  const std::u16string targetPath = Lowered(RelativePathOf(*target));
  WbemInstances results;
  std::set<std::u16string> seen;
  CEndResolver ends;
  for (const SWmiClass* association : AssociationClasses(connection, query, *target->cls, true)) {
    WbemInstances links;
    FindWbemProvider(association->nameSpace, association->name)->Enumerate(*association, nullptr, links);
    for (const auto& link : links) {
      const auto& properties = association->properties;
      for (size_t p = 0; p < properties.size(); ++p) {
        if (!IsReference(properties[p]) || RelativeOfReference(link->values[p]) != targetPath) continue;
        if (!query.role.empty() && !SameName(properties[p].name, query.role)) continue;
        if (query.references) {
          if (WantedClass(*association, query.resultClass, query.requiredQualifier) &&
              seen.insert(Lowered(RelativePathOf(*link))).second) {
            results.push_back(link);
          }
          continue;
        }
        for (size_t q = 0; q < properties.size(); ++q) {
          if (q == p || !IsReference(properties[q])) continue;
          if (!query.resultRole.empty() && !SameName(properties[q].name, query.resultRole)) continue;
          auto end = ends.Resolve(association->nameSpace, link->values[q]);
          if (end == nullptr || !WantedClass(*end->cls, query.resultClass, query.requiredQualifier)) continue;
          if (seen.insert(Lowered(RelativePathOf(*end))).second) results.push_back(std::make_shared<SWbemInstance>(*end));
        }
      }
    }
  }
  if (query.classDefsOnly) return ClassesOf(results);
  if (query.keysOnly) {
    for (auto& result : results) KeepKeys(*result);
  }
  return results;
}

}  // namespace quillet::engine
