#include "typeinfo/WmiClassLibrary.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/TextConvert.h"
#include "typeinfo/WmiClassText.h"

namespace quillet::typeinfo {

namespace {

constexpr std::u16string_view kLibraryName = u"WMI Classes";
constexpr std::u16string_view kPropertyPrefix = u"Property ";

bool IsTrue(const platform::SWmiQualifier* qualifier) {
  if (qualifier == nullptr) return false;
  if (qualifier->kind == platform::SWmiQualifier::EKind::Flag) return true;
  return qualifier->kind == platform::SWmiQualifier::EKind::Text && SameNameIgnoringCase(qualifier->value, u"true");
}

std::unique_ptr<CTypeLibMember> DescribeProperty(const platform::SWmiProperty& property) {
  auto member = std::make_unique<CTypeLibMember>();
  member->name = property.name;
  member->kind = ECatalogueKind::Property;
  member->description = std::u16string(kPropertyPrefix) + property.name + u" As " +
                        CimTypeText(property.type, property.refClass);
  if (IsTrue(platform::FindQualifier(property.qualifiers, u"read"))) member->description += u" (read-only)";
  if (!property.description.empty()) member->description += u"\r\n\r\n" + property.description;
  member->nameStart = static_cast<std::int32_t>(kPropertyPrefix.size());
  member->nameEnd = member->nameStart + static_cast<std::int32_t>(property.name.size());
  return member;
}

// The in-parameters first, then the out-parameters, as the method's two parameter objects list
// them (a parameter that is both is in both).
std::unique_ptr<CTypeLibMember> DescribeMethod(const platform::SWmiMethod& method) {
  std::u16string parameters;
  for (const bool in : {true, false}) {
    for (const platform::SWmiParameter& parameter : method.parameters) {
      if (in ? !parameter.in : !parameter.out) continue;
      if (!parameters.empty()) parameters += u", ";
      parameters += (in ? u"[in]" : u"[out]") + parameter.name + u" As " + CimTypeText(parameter.type, {});
    }
  }
  // Every catalogued method has a result (the reader knows no void), so each reads as a Function.
  auto member = std::make_unique<CTypeLibMember>();
  member->name = method.name;
  member->kind = ECatalogueKind::Method;
  member->description = u"Function " + method.name + u" (" + parameters + u") As " + CimTypeText(method.returnType, {});
  // Parameters carry no descriptions in the catalogue, so their notes are always empty.
  member->description += u"\r\n\r\n" + method.description + u"\r\n\r\n";
  return member;
}

std::unique_ptr<CTypeLibGroup> DescribeClass(const platform::SWmiClass& cls) {
  auto group = std::make_unique<CTypeLibGroup>(cls.name, ECatalogueKind::Class);
  // The class's own description only: the catalogue lends a base's to a class without one.
  if (const platform::SWmiQualifier* description = platform::FindQualifier(cls.qualifiers, u"Description")) {
    group->text = description->value;
  }
  for (const platform::SWmiProperty& property : cls.properties) group->members.push_back(DescribeProperty(property));
  for (const platform::SWmiMethod& method : cls.methods) {
    if (method.origin == cls.name) group->members.push_back(DescribeMethod(method));
  }
  return group;
}

template <typename Items>
void SortByName(Items& items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return NameLessIgnoringCase(a->name, b->name); });
}

}  // namespace

void FillWmiClassLibrary(CTypeLib& library, std::stop_token stop) {
  (void)FillWmiClassLibrary(library, platform::CWmiCatalog::Installed(), std::move(stop));
}

std::u16string FillWmiClassLibrary(CTypeLib& library, const platform::CWmiCatalog& catalogue, std::stop_token stop) {
  library.name = kLibraryName;
  library.libraryKind = CTypeLib::ELibraryKind::Wmi;
  library.groups.clear();
  if (!catalogue.LoadError().empty()) {
    library.description = u"The WMI classes could not be read: " + platform::Utf8ToUtf16(catalogue.LoadError());
    return library.description;
  }
  library.description.clear();
  for (const auto& cls : catalogue.Classes()) {
    if (stop.stop_requested()) return {};
    if (IsScriptClass(*cls)) library.groups.push_back(DescribeClass(*cls));
  }
  SortByName(library.groups);
  for (const auto& group : library.groups) SortByName(group->members);
  return {};
}

}  // namespace quillet::typeinfo
