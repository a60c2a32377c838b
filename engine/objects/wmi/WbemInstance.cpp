#include "engine/objects/wmi/WbemInstance.h"

namespace quillet::engine {

namespace {

// Quotes and backslashes in a key value are escaped, as object paths write them.
std::u16string QuotedKey(const std::u16string& text) {
  std::u16string out = u"\"";
  for (const char16_t c : text) {
    if (c == u'"' || c == u'\\') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

}  // namespace

const CVariant& SWbemInstance::Get(std::u16string_view property) const {
  static const CVariant kNull = CVariant::Null();
  const int index = cls->PropertyIndex(property);
  return index < 0 ? kNull : values[static_cast<size_t>(index)];
}

std::u16string RelativePathOf(const SWbemInstance& instance) {
  std::u16string path = instance.cls->name;
  if (instance.isClass) return path;
  bool first = true;
  for (size_t i = 0; i < instance.cls->properties.size(); ++i) {
    const platform::SWmiProperty& property = instance.cls->properties[i];
    if (!property.isKey) continue;
    path += first ? u"." : u",";
    first = false;
    const CVariant& value = instance.values[i];
    path += property.name + u"=";
    path += property.type == platform::ECimType::String || property.type == platform::ECimType::Reference ||
                    property.type == platform::ECimType::Datetime
                ? QuotedKey(value.IsNull() ? std::u16string() : value.ToString())
                : (value.IsNull() ? u"0" : value.ToString());
  }
  return first ? path + u"=@" : path;
}

}  // namespace quillet::engine
