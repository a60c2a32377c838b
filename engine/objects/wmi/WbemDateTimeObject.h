#pragma once
// SWbemDateTime (CreateObject("WbemScripting.SWbemDateTime")): a CIM datetime that scripts set
// from text, from a date or from a file time, and read back as any of them or field by field.

#include "engine/objects/wmi/CimDateTime.h"
#include "engine/runtime/AutomationObject.h"

namespace quillet::engine {

class CWbemDateTimeObject : public CAutomationObject {
 public:
  CWbemDateTimeObject();

 protected:
  CVariant InvokeMember(const om::SMember& member, std::span<CVariant> args) override;

 private:
  // Seconds since 1899-12-30 00:00 universal time; raises when a date field is open.
  [[nodiscard]] int64_t UniversalSeconds() const;
  CVariant GetVarDate(bool local) const;
  void SetVarDate(const CVariant& date, bool local);
  CVariant GetFileTime(bool local) const;
  void SetFileTime(const CVariant& text, bool local);
  CVariant Field(SCimDateTime::EField field, om::EMemberKind kind, bool specifiedFlag, std::span<CVariant> args);

  SCimDateTime m_value;
};

}  // namespace quillet::engine
