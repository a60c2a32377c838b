#include "engine/library/DebugObject.h"

#include "engine/runtime/ScriptError.h"
#include "engine/vm/RuntimeState.h"
#include "platform/TextConvert.h"

namespace quillet::engine {

namespace {

// Arguments are joined with a blank between them, as Windows' debugger shows them.
std::u16string JoinArguments(std::span<CVariant> args) {
  std::u16string text;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i != 0) text += u' ';
    const CVariant& value = args[i].Deref();
    if (value.IsNull()) text += u"Null";
    else if (value.IsObject() || value.IsArray()) throw CScriptError(err::TypeMismatch);
    else text += value.ToString();
  }
  return text;
}

}  // namespace

CVariant CDebugObject::Invoke(std::u16string_view name, EInvokeKind kind, std::span<CVariant> args) {
  const std::u16string lower = platform::LowerAscii(name);
  const bool line = lower == u"writeline";
  if ((!line && lower != u"write") || kind == EInvokeKind::Let || kind == EInvokeKind::Set) ThrowNoSuchMember();
  std::u16string text = JoinArguments(args);
  if (line) text += u"\r\n";
  const auto& output = CurrentRuntime().debugOutput;
  if (output) output(text);
  return {};
}

}  // namespace quillet::engine
