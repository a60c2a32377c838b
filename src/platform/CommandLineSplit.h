#pragma once
// Turns one command-line string into the argument vector a program receives, by the rules that
// the described command lines were written for: the program name ends at the first blank unless
// quoted; later arguments honour quotes, doubled quotes inside quotes and backslashes only where
// they precede a quote.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::platform {

[[nodiscard]] std::vector<std::u16string> SplitCommandLine(std::u16string_view commandLine);
// Where the program name ends (after its closing quote, if quoted): what follows is the
// arguments, as written.
[[nodiscard]] size_t ProgramNameLength(std::u16string_view commandLine);

}  // namespace quillet::platform
