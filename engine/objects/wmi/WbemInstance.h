#pragma once
// One instance (or, without values, one class) of the catalogue as providers hand it over: a
// value per property of its class, in the class's order, Null where the provider cannot tell.

#include <memory>
#include <string>
#include <vector>

#include "engine/runtime/Variant.h"
#include "platform/WmiCatalog.h"

namespace quillet::engine {

struct SWbemInstance {
  const platform::SWmiClass* cls = nullptr;
  bool isClass = false;  // the class itself: no values
  std::vector<CVariant> values;

  explicit SWbemInstance(const platform::SWmiClass& ofClass) : cls(&ofClass), values(ofClass.properties.size()) {
    for (CVariant& value : values) value = CVariant::Null();
  }
  // Sets a property the class declares; a name it lacks is a provider's mistake and is ignored.
  void Set(std::u16string_view property, CVariant value) {
    const int index = cls->PropertyIndex(property);
    if (index >= 0) values[static_cast<size_t>(index)] = std::move(value);
  }
  [[nodiscard]] const CVariant& Get(std::u16string_view property) const;
};

using WbemInstances = std::vector<std::shared_ptr<SWbemInstance>>;

// Whether two objects are of the same class and hold the same values (text with its case,
// numbers by value, arrays item by item, embedded objects by identity).
[[nodiscard]] bool SameWbemValues(const SWbemInstance& a, const SWbemInstance& b);

// The relative path of an instance as Windows writes it: Class.Key="value",Key2=12, or Class=@
// for a class without keys, or the class name alone for a class.
[[nodiscard]] std::u16string RelativePathOf(const SWbemInstance& instance);

}  // namespace quillet::engine
