#pragma once
// A provider makes the instances of one class of the catalogue from what the machine tells.
// Instances come only from providers: a class without one has none.

#include <span>
#include <string_view>

#include "engine/objects/wmi/WbemInstance.h"
#include "engine/objects/wmi/WqlQuery.h"

namespace quillet::engine {

class CWbemProvider {
 public:
  virtual ~CWbemProvider() = default;
  // Appends the instances of cls (the class the provider serves). where, when given, is the
  // query's condition: a provider may use it to skip instances early; the caller still tests it.
  virtual void Enumerate(const platform::SWmiClass& cls, const SWqlCondition* where, WbemInstances& out) = 0;
  // A method of an instance: args holds the script's arguments in the method's parameter
  // order, out parameters as references to the script's variables. Answers the method's
  // return value. By default the method is not available here.
  virtual CVariant CallMethod(SWbemInstance& instance, const platform::SWmiMethod& method, std::span<CVariant> args);
  // Writes an instance a script made or changed (Put_); answers the instance as written, whose
  // path Put_ returns. By default the provider cannot write: Windows' "provider not capable".
  virtual std::shared_ptr<SWbemInstance> PutInstance(const SWbemInstance& instance);
  // Deletes an instance (Delete_, SWbemServices.Delete); by default the provider cannot.
  virtual void DeleteInstance(const SWbemInstance& instance);
};

// Stores an out parameter in the script's variable, when the script passed one.
void SetOutParameter(std::span<CVariant> args, size_t index, CVariant value);

// The provider of a class of a namespace; null when none serves it.
[[nodiscard]] CWbemProvider* FindWbemProvider(std::u16string_view nameSpace, std::u16string_view className);

}  // namespace quillet::engine
