#pragma once
// The Debug object: Write and WriteLine send text to the debugger of the running script (the
// runtime state's debug output); without a debugger they do nothing, as on Windows.

#include "engine/runtime/DispatchObject.h"

namespace quillet::engine {

class CDebugObject : public CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"Object"; }
  CVariant Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) override;
};

}  // namespace quillet::engine
