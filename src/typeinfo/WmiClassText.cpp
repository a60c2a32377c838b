#include "typeinfo/WmiClassText.h"

#include <algorithm>
#include <array>

namespace quillet::typeinfo {

namespace {

using platform::ECimType;

char16_t Folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

struct STypeText {
  ECimType type;
  std::u16string_view text;
};

constexpr std::array kTypeTexts{
    STypeText{ECimType::Sint8, u"sint8"},       STypeText{ECimType::Uint8, u"uint8"},
    STypeText{ECimType::Sint16, u"sint16"},     STypeText{ECimType::Uint16, u"uint16"},
    STypeText{ECimType::Sint32, u"sint32"},     STypeText{ECimType::Uint32, u"uint32"},
    STypeText{ECimType::Sint64, u"sint64"},     STypeText{ECimType::Uint64, u"uint64"},
    STypeText{ECimType::Real32, u"real32"},     STypeText{ECimType::Real64, u"real64"},
    STypeText{ECimType::String, u"string"},     STypeText{ECimType::Boolean, u"boolean"},
    STypeText{ECimType::Datetime, u"datetime"}, STypeText{ECimType::Char16, u"char16"},
    STypeText{ECimType::Object, u"object"},
};

}  // namespace

bool IsScriptClass(const platform::SWmiClass& cls) {
  return cls.name.starts_with(u"Win32_") && SameNameIgnoringCase(cls.nameSpace, kWmiScriptNamespace);
}

std::u16string CimTypeText(ECimType type, std::u16string_view refClass) {
  if (type == ECimType::Reference) return std::u16string(refClass.empty() ? u"object" : refClass);
  for (const STypeText& known : kTypeTexts) {
    if (known.type == type) return std::u16string(known.text);
  }
  return u"string";
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
