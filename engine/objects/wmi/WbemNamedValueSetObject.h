#pragma once
// SWbemNamedValueSet and SWbemNamedValue: named values in the order they were added, names
// compared without regard to case; a value object stays tied to its entry, so that
// set("x").Value = 1 changes the set.

#include <memory>
#include <string>
#include <vector>

#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

struct SWbemNamedValue {
  std::u16string name;
  CVariant value;
};

using WbemNamedValues = std::vector<std::shared_ptr<SWbemNamedValue>>;

class CWbemNamedValueSetObject : public CAutomationObject {
 public:
  CWbemNamedValueSetObject();
  // A set over values another object reads too: the keys of an object path.
  explicit CWbemNamedValueSetObject(std::shared_ptr<WbemNamedValues> values);
  [[nodiscard]] CEnumerator* NewEnum() override;

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  [[nodiscard]] WbemNamedValues::iterator Find(std::u16string_view name);
  CVariant Add(std::span<CVariant> args);

  std::shared_ptr<WbemNamedValues> m_values;
};

class CWbemNamedValueObject : public CAutomationObject {
 public:
  explicit CWbemNamedValueObject(std::shared_ptr<SWbemNamedValue> entry);

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  std::shared_ptr<SWbemNamedValue> m_entry;
};

}  // namespace quillet::engine
