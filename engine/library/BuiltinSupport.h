#pragma once
// What every library of built-in functions shares: its table type and the argument checks,
// so that a Null, a missing value or a bad compare mode fails the same way in every function.

#include <span>
#include <string>

#include "engine/library/Builtins.h"
#include "engine/runtime/DispatchObject.h"
#include "engine/runtime/ScriptError.h"
#include "engine/runtime/Variant.h"

namespace quillet::engine::builtin {

using Args = std::span<CVariant>;

// Each library file hands its table to the registry.
[[nodiscard]] std::span<const SBuiltin> ConversionLibrary();
[[nodiscard]] std::span<const SBuiltin> StringLibrary();
[[nodiscard]] std::span<const SBuiltin> MathLibrary();
[[nodiscard]] std::span<const SBuiltin> DateLibrary();
[[nodiscard]] std::span<const SBuiltin> DialogLibrary();
[[nodiscard]] std::span<const SBuiltin> FormatLibrary();
[[nodiscard]] std::span<const SBuiltin> RandomLibrary();

[[nodiscard]] inline const CVariant& Arg(Args args, size_t i) { return args[i].Deref(); }
[[nodiscard]] inline bool Given(Args args, size_t i) { return i < args.size() && !Arg(args, i).IsMissing(); }

// An object stands for its default value.
[[nodiscard]] inline CVariant Scalar(const CVariant& value) {
  if (value.IsObject()) {
    if (value.AsObject() == nullptr) throw CScriptError(err::ObjectNotSet);
    return value.AsObject()->Invoke(u"", EInvokeKind::Get, {});
  }
  return value;
}

// A value that must not be Null (94 otherwise), converted.
[[nodiscard]] inline CVariant NullOr(const CVariant& value, CVariant (*convert)(const CVariant&)) {
  const CVariant v = Scalar(value);
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return convert(v);
}

// A count or position argument: Null is 94, anything else is read as a Long.
[[nodiscard]] inline int32_t LongArg(Args args, size_t i) {
  const CVariant v = Scalar(Arg(args, i));
  if (v.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return v.ToLong();
}

// A text argument that has already been checked for Null.
[[nodiscard]] inline std::u16string TextArg(Args args, size_t i) { return Scalar(Arg(args, i)).ToString(); }

// A text argument that must not be Null (94 otherwise), read in place when it is a string:
// the short strings of a loop then cost no copy.
class CTextArg {
 public:
  CTextArg(Args args, size_t i) {
    const CVariant& v = Arg(args, i);
    if (v.IsString()) {
      m_view = v.AsString();
      return;
    }
    const CVariant value = Scalar(v);
    if (value.IsNull()) throw CScriptError(err::InvalidUseOfNull);
    m_owned = value.ToString();
    m_view = m_owned;
  }
  // Stands for a fixed text, such as a default argument.
  explicit CTextArg(std::u16string_view text) : m_view(text) {}
  CTextArg(const CTextArg&) = delete;
  CTextArg& operator=(const CTextArg&) = delete;

  [[nodiscard]] std::u16string_view View() const { return m_view; }

 private:
  std::u16string m_owned;
  std::u16string_view m_view;
};

// True when the argument is Null (after taking an object's default value).
[[nodiscard]] inline bool IsNullArg(Args args, size_t i) {
  const CVariant& v = Arg(args, i);
  return v.IsObject() ? Scalar(v).IsNull() : v.IsNull();
}

// The compare argument: 0 binary (the default), 1 text; anything else is 5.
[[nodiscard]] inline bool TextCompareArg(Args args, size_t i) {
  if (!Given(args, i)) return false;
  const int32_t mode = LongArg(args, i);
  if (mode != 0 && mode != 1) throw CScriptError(err::InvalidCall);
  return mode == 1;
}

}  // namespace quillet::engine::builtin
