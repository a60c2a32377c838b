#include "engine/objects/wmi/WbemQualifiers.h"

#include <cstdlib>
#include <string>

#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

namespace {

using platform::ECimType;
using platform::SWmiQualifier;

// A flag is True; a number is a Long when it is a whole one that fits, a Double otherwise.
CVariant ValueOf(const SWmiQualifier& qualifier) {
  switch (qualifier.kind) {
    case SWmiQualifier::EKind::Flag: return CVariant::Boolean(true);
    case SWmiQualifier::EKind::Text: return CVariant::String(qualifier.value);
    case SWmiQualifier::EKind::Number: {
      const std::string digits(qualifier.value.begin(), qualifier.value.end());
      const double number = std::strtod(digits.c_str(), nullptr);
      const bool whole = number == static_cast<double>(static_cast<long long>(number));
      if (whole && number >= -2147483648.0 && number <= 2147483647.0) return CVariant::Long(static_cast<int32_t>(number));
      return CVariant::Double(number);
    }
  }
  return CVariant::Null();
}

// What does not pass to derived classes and instances: Abstract makes only its own class abstract.
bool Propagates(std::u16string_view name) { return !wbem_text::SameName(name, u"Abstract"); }

void Append(WbemQualifierList& list, const std::vector<SWmiQualifier>& declared, bool isLocal) {
  for (const SWmiQualifier& qualifier : declared) {
    if (!isLocal && !Propagates(qualifier.name)) continue;
    SWbemQualifier entry{qualifier.name, ValueOf(qualifier), isLocal};
    entry.propagatesToSubclass = Propagates(qualifier.name);
    entry.propagatesToInstance = Propagates(qualifier.name);
    list.push_back(std::move(entry));
  }
}

}  // namespace

std::u16string CimTypeName(ECimType type, const std::u16string& refClass) {
  if (type == ECimType::Reference) return u"ref:" + (refClass.empty() ? std::u16string(u"object") : refClass);
  return std::u16string(platform::CimTypeKeyword(type));
}

std::shared_ptr<WbemQualifierList> QualifiersOfClass(const platform::SWmiClass& cls, bool forInstance) {
  auto list = std::make_shared<WbemQualifierList>();
  Append(*list, cls.qualifiers, !forInstance);
  return list;
}

std::shared_ptr<WbemQualifierList> QualifiersOfProperty(const platform::SWmiClass& cls,
                                                        const platform::SWmiProperty& property, bool forInstance) {
  auto list = std::make_shared<WbemQualifierList>();
  const bool isLocal = !forInstance && property.origin == cls.name;
  std::u16string type = CimTypeName(property.type, property.refClass);
  list->push_back(SWbemQualifier{u"CIMTYPE", CVariant::String(type), isLocal});
  Append(*list, property.qualifiers, isLocal);
  return list;
}

std::shared_ptr<WbemQualifierList> QualifiersOfMethod(const platform::SWmiMethod& method) {
  auto list = std::make_shared<WbemQualifierList>();
  Append(*list, method.qualifiers, true);
  return list;
}

}  // namespace quillet::engine
