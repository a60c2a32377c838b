#pragma once
// What SWbemServices asks of the catalogue and the providers: the instances a WQL query
// selects, the instances of a class, the class or instance an object path names, the classes
// derived from one. Errors are Windows' numbers: invalid query, invalid class, not found,
// invalid object path.

#include <string_view>

#include "engine/objects/wmi/WbemConnection.h"
#include "engine/objects/wmi/WbemInstance.h"

namespace quillet::engine {

[[nodiscard]] WbemInstances RunWqlQuery(const SWbemConnection& connection, std::u16string_view query);
[[nodiscard]] WbemInstances InstancesOfClass(const SWbemConnection& connection, std::u16string_view className);
[[nodiscard]] std::shared_ptr<SWbemInstance> ObjectAtPath(const SWbemConnection& connection,
                                                          std::u16string_view objectPath);
// The instances of cls and of every class derived from it, from their providers.
[[nodiscard]] WbemInstances InstancesOfClassAndSubclasses(const platform::SWmiClass& cls);
// Every class of the namespace derived from superclass (all of them when it is empty).
[[nodiscard]] WbemInstances SubclassesOfClass(const SWbemConnection& connection, std::u16string_view superclass);

}  // namespace quillet::engine
