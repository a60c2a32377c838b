#include "engine/objects/wmi/WbemInstance.h"

#include <algorithm>
#include <vector>

#include "engine/objects/wmi/WbemText.h"
#include "engine/runtime/SafeArray.h"

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

bool SameValue(const CVariant& a, const CVariant& b) {
  if (a.IsNull() || b.IsNull() || a.IsEmpty() || b.IsEmpty()) return a.Type() == b.Type();
  if (a.IsString() || b.IsString()) return a.IsString() && b.IsString() && a.AsString() == b.AsString();
  if (a.IsObject() || b.IsObject()) return a.IsObject() && b.IsObject() && a.AsObject() == b.AsObject();
  if (a.IsArray() || b.IsArray()) {
    if (!a.IsArray() || !b.IsArray() || a.AsArray()->Size() != b.AsArray()->Size()) return false;
    for (size_t i = 0; i < a.AsArray()->Size(); ++i) {
      if (!SameValue(a.AsArray()->At(i), b.AsArray()->At(i))) return false;
    }
    return true;
  }
  return a.IsNumeric() && b.IsNumeric() && a.ToDouble() == b.ToDouble();
}

}  // namespace

bool SameWbemValues(const SWbemInstance& a, const SWbemInstance& b) {
  if (a.cls != b.cls || a.isClass != b.isClass) return false;
  for (size_t i = 0; i < a.values.size(); ++i) {
    if (!SameValue(a.values[i], b.values[i])) return false;
  }
  return true;
}

const CVariant& SWbemInstance::Get(std::u16string_view property) const {
  static const CVariant kNull = CVariant::Null();
  const int index = cls->PropertyIndex(property);
  return index < 0 ? kNull : values[static_cast<size_t>(index)];
}

// Keys are written in alphabetical order, as Windows writes them whatever the class's order.
std::u16string RelativePathOf(const SWbemInstance& instance) {
  std::u16string path = instance.cls->name;
  if (instance.isClass) return path;
  std::vector<size_t> keys;
  for (size_t i = 0; i < instance.cls->properties.size(); ++i) {
    if (instance.cls->properties[i].isKey) keys.push_back(i);
  }
  if (keys.empty()) return path + u"=@";
  std::sort(keys.begin(), keys.end(), [&](size_t a, size_t b) {
    return wbem_text::Lowered(instance.cls->properties[a].name) < wbem_text::Lowered(instance.cls->properties[b].name);
  });
  for (size_t k = 0; k < keys.size(); ++k) {
    const platform::SWmiProperty& property = instance.cls->properties[keys[k]];
    const CVariant& value = instance.values[keys[k]];
    path += k == 0 ? u"." : u",";
    path += property.name + u"=";
    path += property.type == platform::ECimType::String || property.type == platform::ECimType::Reference ||
                    property.type == platform::ECimType::Datetime
                ? QuotedKey(value.IsNull() ? std::u16string() : value.ToString())
                : (value.IsNull() ? u"0" : value.ToString());
  }
  return path;
}

}  // namespace quillet::engine
