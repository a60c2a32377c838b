#pragma once
// The Err object: the last error that On Error Resume Next let pass, and Raise.

#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"

namespace quillet::engine {

class CErrObject : public CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"ErrObject"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;

  void Record(const CScriptError& error);
  void Clear();
  [[nodiscard]] int Number() const { return m_number; }

 private:
  int m_number = 0;
  std::u16string m_description;
  std::u16string m_source;
  std::u16string m_helpFile;
  int m_helpContext = 0;
};

}  // namespace quillet::engine
