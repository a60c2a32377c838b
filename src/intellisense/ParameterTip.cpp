#include "intellisense/ParameterTip.h"

namespace quillet::intellisense {
namespace {

constexpr std::uint16_t kOptionalParameter = 0x10;

}  // namespace

std::optional<std::u16string> TypeLibraryFunctionSyntax(const typeinfo::SFuncDesc& func) {
  if (func.name.empty()) return std::nullopt;
  std::u16string syntax = func.name + u" (";
  for (size_t i = 0; i < func.params.size(); ++i) {
    const typeinfo::SParamDesc& param = func.params[i];
    // A library may leave parameters unnamed; a tip of blanks and commas would say nothing.
    if (param.name.empty()) return std::nullopt;
    if (i > 0) syntax += u", ";
    const bool optional = (param.flags & kOptionalParameter) != 0;
    if (optional) syntax += u'[';
    syntax += param.name;
    if (optional) syntax += u']';
  }
  syntax += u')';
  return syntax;
}

std::optional<SParameterTip> BuildParameterTip(const SParameterTipSource& source) {
  switch (source.kind) {
    case ETipKind::BuiltinFunction:
      if (source.function == nullptr) return std::nullopt;
      return SParameterTip{std::u16string(source.function->syntax), std::u16string(source.function->description)};
    case ETipKind::BuiltinMember:
      if (source.member == nullptr) return std::nullopt;
      return SParameterTip{std::u16string(source.member->syntax), std::u16string(source.member->description)};
    case ETipKind::ScriptProcedure:
    case ETipKind::ScriptClassMethod:
      if (source.declaration.empty()) return std::nullopt;
      return SParameterTip{source.declaration, {}};
    case ETipKind::TypeLibraryFunction: {
      if (source.walk.func == nullptr) return std::nullopt;
      auto syntax = TypeLibraryFunctionSyntax(*source.walk.func);
      if (!syntax) return std::nullopt;
      return SParameterTip{std::move(*syntax), source.walk.func->docString};
    }
    case ETipKind::None:
      break;
  }
  return std::nullopt;
}

}  // namespace quillet::intellisense
