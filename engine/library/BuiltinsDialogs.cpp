// MsgBox and InputBox: the arguments are checked here, the answer comes from the host's
// dialogs (a real window when the host has a display, the console otherwise).

#include <array>

#include "engine/library/BuiltinSupport.h"
#include "engine/vm/RuntimeState.h"

namespace quillet::engine::builtin {

namespace {

std::u16string TitleArg(Args a, size_t i) {
  if (!Given(a, i)) return CurrentRuntime().hostName;
  const CVariant title = Scalar(Arg(a, i));
  if (title.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return title.ToString();
}

std::u16string PromptArg(Args a) {
  const CVariant prompt = Scalar(Arg(a, 0));
  if (prompt.IsNull()) throw CScriptError(err::InvalidUseOfNull);
  return prompt.ToString();
}

// A help file and its context come as a pair.
void CheckHelpPair(Args a, size_t helpFile) {
  if (Given(a, helpFile) != Given(a, helpFile + 1)) throw CScriptError(err::InvalidCall);
}

CVariant FnMsgBox(Args a) {
  const std::u16string prompt = PromptArg(a);
  const int32_t buttons = Given(a, 1) ? LongArg(a, 1) : 0;
  const std::u16string title = TitleArg(a, 2);
  CheckHelpPair(a, 3);
  const int answer = CurrentDialogs().MessageBox(prompt, buttons, title);
  return CVariant::Integer(static_cast<int16_t>(answer));
}

// Cancel gives Empty, so that a script can tell it from an empty answer.
CVariant FnInputBox(Args a) {
  const std::u16string prompt = PromptArg(a);
  const std::u16string title = TitleArg(a, 1);
  std::u16string defaultText;
  if (Given(a, 2)) {
    const CVariant value = Scalar(Arg(a, 2));
    if (value.IsNull()) throw CScriptError(err::InvalidUseOfNull);
    defaultText = value.ToString();
  }
  for (size_t i = 3; i <= 4; ++i) {
    if (Given(a, i)) (void)LongArg(a, i);  // the window position: checked, not used
  }
  CheckHelpPair(a, 5);
  auto answer = CurrentDialogs().InputBox(prompt, title, defaultText);
  if (!answer) return {};
  return CVariant::String(std::move(*answer));
}

constexpr std::array kBuiltins{
    SBuiltin{u"msgbox", 1, 5, FnMsgBox},
    SBuiltin{u"inputbox", 1, 7, FnInputBox},
};

}  // namespace

std::span<const SBuiltin> DialogLibrary() { return kBuiltins; }

}  // namespace quillet::engine::builtin
