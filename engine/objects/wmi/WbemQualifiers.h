#pragma once
// The qualifiers scripts read through Qualifiers_: those the catalogue declares for a class, a
// property or a method, with the CIMTYPE qualifier Windows adds to every property. A set is
// the object's own copy: Add, Remove and Value change it, never the catalogue.

#include <memory>
#include <string>
#include <vector>

#include "engine/runtime/Variant.h"
#include "platform/WmiCatalog.h"

namespace quillet::engine {

struct SWbemQualifier {
  std::u16string name;
  CVariant value;
  bool isLocal = true;  // declared on this class rather than taken from its class or a base
  bool propagatesToSubclass = true;
  bool propagatesToInstance = true;
  bool isOverridable = true;
};

using WbemQualifierList = std::vector<SWbemQualifier>;

// forInstance: the object is an instance, whose qualifiers all come from its class.
[[nodiscard]] std::shared_ptr<WbemQualifierList> QualifiersOfClass(const platform::SWmiClass& cls, bool forInstance);
[[nodiscard]] std::shared_ptr<WbemQualifierList> QualifiersOfProperty(const platform::SWmiClass& cls,
                                                                      const platform::SWmiProperty& property,
                                                                      bool forInstance);
[[nodiscard]] std::shared_ptr<WbemQualifierList> QualifiersOfMethod(const platform::SWmiMethod& method);

// The CIMTYPE text of a type: "string", "uint32", "ref:Class", "object" ...
[[nodiscard]] std::u16string CimTypeName(platform::ECimType type, const std::u16string& refClass);

}  // namespace quillet::engine
