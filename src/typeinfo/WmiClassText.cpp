#include "typeinfo/WmiClassText.h"

#include <algorithm>

namespace quillet::typeinfo {

namespace {

using platform::ECimType;

char16_t Folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

}  // namespace

bool IsScriptClass(const platform::SWmiClass& cls) {
  return cls.name.starts_with(u"Win32_") && SameNameIgnoringCase(cls.nameSpace, kWmiScriptNamespace);
}

std::u16string CimTypeText(ECimType type, std::u16string_view refClass) {
  if (type == ECimType::Reference) return std::u16string(refClass.empty() ? u"object" : refClass);
  return std::u16string(platform::CimTypeKeyword(type));
}

bool NameLessIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
}

bool SameNameIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Folded(x) == Folded(y); });
}

}  // namespace quillet::typeinfo
