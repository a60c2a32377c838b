#pragma once
// The "Log" object tests hand to a script: each call becomes one line of its arguments, separated
// by spaces, so a test compares what the script saw with one string.

#include <span>
#include <string>
#include <string_view>

#include "engine/runtime/DispatchObject.h"

namespace quillet::engine {

class CLogObject : public CDispatchObject {
 public:
  std::u16string TypeName() const override { return u"Log"; }
  CVariant Invoke(std::u16string_view, EInvokeKind, std::span<CVariant> args) override {
    std::u16string line;
    for (auto& arg : args) {
      if (!line.empty()) line += u' ';
      line += arg.Deref().IsNull() ? u"Null" : arg.Deref().ToString();
    }
    lines += line + u"\n";
    return {};
  }
  std::u16string lines;
};

}  // namespace quillet::engine
