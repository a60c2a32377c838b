#pragma once
// What the output window writes to a redirected script's standard input. Our hosts read their
// standard input as UTF-8 whatever the switches (//U widens only their output), so typed text
// goes to them in that form.

#include <string>
#include <string_view>

#include "platform/TextConvert.h"

namespace quillet::debug {

[[nodiscard]] inline std::string EncodeScriptInput(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

}  // namespace quillet::debug
