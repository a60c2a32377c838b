#include "engine/objects/wmi/WbemQueries.h"

#include <algorithm>
#include <cstdlib>

#include "engine/objects/wmi/WbemErrors.h"
#include "engine/objects/wmi/WbemObjectPath.h"
#include "engine/objects/wmi/WbemProvider.h"
#include "engine/objects/wmi/WbemText.h"
#include "engine/objects/wmi/WqlQuery.h"

namespace quillet::engine {

namespace {

using platform::CWmiCatalog;
using platform::SWmiClass;
using namespace wbem_text;

constexpr std::u16string_view kSource = u"SWbemServicesEx";

const CWmiCatalog& Catalogue() { return CWmiCatalog::Installed(); }

// The instances of cls and of every class derived from it, from their providers.
WbemInstances Enumerate(const SWmiClass& cls, const SWqlCondition* where) {
  WbemInstances instances;
  for (const auto& candidate : Catalogue().Classes()) {
    if (!SameName(candidate->nameSpace, cls.nameSpace) || !Catalogue().DerivesFrom(*candidate, cls.name)) continue;
    if (CWbemProvider* provider = FindWbemProvider(candidate->nameSpace, candidate->name)) {
      provider->Enumerate(*candidate, where, instances);
    }
  }
  return instances;
}

const SWmiClass& ClassOrRaise(const SWbemConnection& connection, std::u16string_view name, int32_t error) {
  const SWmiClass* cls = Catalogue().Find(connection.nameSpace, name);
  if (cls == nullptr) wbem_error::Raise(error, kSource);
  return *cls;
}

// A query may name only properties its class has.
void CheckProperties(const SWmiClass& cls, const std::vector<std::u16string>& names) {
  for (const std::u16string& name : names) {
    if (cls.PropertyIndex(name) < 0) wbem_error::Raise(wbem_error::kInvalidQuery, kSource);
  }
}

// What a SELECT of some properties returns: those and the keys; the rest of the class is Null.
void KeepSelected(SWbemInstance& instance, const std::vector<std::u16string>& selected) {
  for (size_t i = 0; i < instance.values.size(); ++i) {
    const platform::SWmiProperty& property = instance.cls->properties[i];
    const bool wanted = property.isKey || std::any_of(selected.begin(), selected.end(), [&](const std::u16string& name) {
                          return SameName(name, property.name);
                        });
    if (!wanted) instance.values[i] = CVariant::Null();
  }
}

bool KeyMatches(const CVariant& value, const std::u16string& wanted) {
  if (value.IsNull()) return false;
  if (value.IsString()) return SameName(value.AsString(), wanted);
  char* end = nullptr;
  const std::string digits(wanted.begin(), wanted.end());
  const double number = std::strtod(digits.c_str(), &end);
  return end != digits.c_str() && *end == '\0' && number == value.ToDouble();
}

bool MatchesKeys(const SWbemInstance& instance, const SWbemObjectPath& path) {
  for (const auto& [name, wanted] : path.keys) {
    int index = -1;
    if (name.empty()) {
      const auto& properties = instance.cls->properties;
      const auto key = std::find_if(properties.begin(), properties.end(), [](const auto& p) { return p.isKey; });
      if (key != properties.end()) index = static_cast<int>(key - properties.begin());
    } else {
      index = instance.cls->PropertyIndex(name);
      if (index >= 0 && !instance.cls->properties[static_cast<size_t>(index)].isKey) index = -1;
    }
    if (index < 0) wbem_error::Raise(wbem_error::kInvalidObjectPath, kSource);
    if (!KeyMatches(instance.values[static_cast<size_t>(index)], wanted)) return false;
  }
  return true;
}

// The keys of a path as the condition of a query for them, so that a provider that must be told
// what to look at (an echo request's address) serves Get as it serves ExecQuery. The keys are
// still matched afterwards; the condition only lets a provider look early.
std::unique_ptr<SWqlCondition> KeysCondition(const SWbemObjectPath& path) {
  std::unique_ptr<SWqlCondition> all;
  for (const auto& [name, wanted] : path.keys) {
    if (name.empty()) return nullptr;  // Class="x": the key's name comes from the class
    auto equal = std::make_unique<SWqlCondition>();
    equal->first.isProperty = true;
    equal->first.property = name;
    equal->second.literal = CVariant::String(wanted);
    if (!all) {
      all = std::move(equal);
      continue;
    }
    auto both = std::make_unique<SWqlCondition>();
    both->kind = SWqlCondition::EKind::And;
    both->left = std::move(all);
    both->right = std::move(equal);
    all = std::move(both);
  }
  return all;
}

}  // namespace

WbemInstances RunWqlQuery(const SWbemConnection& connection, std::u16string_view text) {
  const SWqlQuery query = ParseWql(text);
  if (query.within > 0) wbem_error::Raise(wbem_error::kInvalidQuery, kSource);  // only events are polled
  const SWmiClass& cls = ClassOrRaise(connection, query.className, wbem_error::kInvalidClass);
  if (!query.allProperties) CheckProperties(cls, query.properties);
  std::vector<std::u16string> read;
  if (query.where) {
    CollectWqlProperties(*query.where, read);
    CheckProperties(cls, read);
  }
  WbemInstances instances = Enumerate(cls, query.where.get());
  if (query.where) {
    std::erase_if(instances, [&](const std::shared_ptr<SWbemInstance>& instance) {
      return !WqlMatches(*query.where, [&](std::u16string_view name) { return instance->Get(name); });
    });
  }
  if (!query.allProperties) {
    for (auto& instance : instances) KeepSelected(*instance, query.properties);
  }
  return instances;
}

WbemInstances InstancesOfClassAndSubclasses(const SWmiClass& cls) { return Enumerate(cls, nullptr); }

WbemInstances InstancesOfClass(const SWbemConnection& connection, std::u16string_view className) {
  return Enumerate(ClassOrRaise(connection, Trimmed(className), wbem_error::kInvalidClass), nullptr);
}

std::shared_ptr<SWbemInstance> ObjectAtPath(const SWbemConnection& connection, std::u16string_view objectPath) {
  const SWbemObjectPath path = ParseObjectPath(objectPath);
  const SWmiClass& cls = ClassOrRaise(connection, path.className, wbem_error::kNotFound);
  if (!path.singleton && path.keys.empty()) {
    auto classObject = std::make_shared<SWbemInstance>(cls);
    classObject->isClass = true;
    return classObject;
  }
  const std::unique_ptr<SWqlCondition> keys = KeysCondition(path);
  for (auto& instance : Enumerate(cls, keys.get())) {
    if (path.singleton || MatchesKeys(*instance, path)) return instance;
  }
  wbem_error::Raise(wbem_error::kNotFound, kSource);
}

WbemInstances SubclassesOfClass(const SWbemConnection& connection, std::u16string_view superclass) {
  superclass = Trimmed(superclass);
  if (!superclass.empty()) (void)ClassOrRaise(connection, superclass, wbem_error::kInvalidClass);
  WbemInstances classes;
  for (const auto& cls : Catalogue().Classes()) {
    if (!SameName(cls->nameSpace, connection.nameSpace) || SameName(cls->name, superclass)) continue;
    if (!superclass.empty() && !Catalogue().DerivesFrom(*cls, superclass)) continue;
    auto classObject = std::make_shared<SWbemInstance>(*cls);
    classObject->isClass = true;
    classes.push_back(std::move(classObject));
  }
  return classes;
}

}  // namespace quillet::engine
