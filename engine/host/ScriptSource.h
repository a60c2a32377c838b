#pragma once
// Script files as Windows reads them: UTF-16LE with its mark, UTF-8 with its mark, otherwise
// the ANSI code page.

#include <string>
#include <string_view>

namespace quillet::engine::host {

[[nodiscard]] std::u16string DecodeScript(std::string_view bytes);

}  // namespace quillet::engine::host
