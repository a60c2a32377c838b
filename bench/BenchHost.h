#pragma once
// The object a benchmark script reports through: Bench.Report value is the script's only way out,
// and the value is its checksum, compared with what the same program gives under another host.

#include <span>
#include <string>
#include <string_view>

#include "engine/runtime/DispatchObject.h"
#include "platform/TextConvert.h"

namespace quillet::bench {

class CBenchHost : public engine::CDispatchObject {
 public:
  [[nodiscard]] std::u16string TypeName() const override { return u"Bench"; }
  engine::CVariant Invoke(std::u16string_view name, engine::EInvokeKind,
                          std::span<engine::CVariant> args) override {
    if (platform::EqualsIgnoringAsciiCase(name, u"report") && args.size() == 1) {
      checksum = args[0].Deref().ToString();
      return {};
    }
    engine::ThrowNoSuchMember();
  }
  std::u16string checksum;
};

}  // namespace quillet::bench
