#include "engine/objects/wmi/WbemParameterClasses.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "engine/objects/wmi/WbemText.h"

namespace quillet::engine {

namespace {

constexpr std::u16string_view kParametersClass = u"__PARAMETERS";

std::unique_ptr<platform::SWmiClass> MakeParametersClass(const platform::SWmiClass& owner,
                                                         const platform::SWmiMethod& method, bool out) {
  auto cls = std::make_unique<platform::SWmiClass>();
  cls->nameSpace = owner.nameSpace;
  cls->name = kParametersClass;
  const auto add = [&](const std::u16string& name, platform::ECimType type, bool isArray) {
    platform::SWmiProperty property;
    property.name = name;
    property.type = type;
    property.isArray = isArray;
    property.origin = kParametersClass;
    cls->properties.push_back(std::move(property));
  };
  if (out) add(u"ReturnValue", method.returnType, false);
  for (const platform::SWmiParameter& parameter : method.parameters) {
    if (out ? parameter.out : parameter.in) add(parameter.name, parameter.type, parameter.isArray);
  }
  return cls;
}

}  // namespace

const platform::SWmiClass* ParametersClass(const platform::SWmiClass& owner, const platform::SWmiMethod& method,
                                           bool out) {
  static std::mutex lock;
  static std::map<std::u16string, std::unique_ptr<platform::SWmiClass>> made;
  const std::u16string key = wbem_text::Lowered(owner.nameSpace + u":" + owner.name + u"." + method.name) +
                             (out ? u"/out" : u"/in");
  const std::lock_guard<std::mutex> guard(lock);
  auto found = made.find(key);
  if (found == made.end()) found = made.emplace(key, MakeParametersClass(owner, method, out)).first;
  const platform::SWmiClass* cls = found->second.get();
  return cls->properties.empty() ? nullptr : cls;
}

}  // namespace quillet::engine
