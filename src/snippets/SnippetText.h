#pragma once
// Text transformations shared by snippet insertion and the samples menu.

#include <string>
#include <string_view>

namespace quillet::snippets {

// The run of spaces and tabs that starts line.
[[nodiscard]] std::u16string_view LeadingBlanks(std::u16string_view line);
// code with indent inserted after every CR LF, so that a block lines up with the caret's line.
[[nodiscard]] std::u16string IndentSnippetCode(std::u16string_view code, std::u16string_view indent);

// A sample's menu text: typographic quote entities left in a name become plain quotes.
[[nodiscard]] std::u16string SampleMenuText(std::u16string_view name);
// A sample's script as it goes into a document: LF becomes CR LF. The XML reader has already
// decoded every entity once; decoding again would turn a script's "&amp;lt;" (the text "&lt;")
// into "<".
[[nodiscard]] std::u16string SampleScriptText(std::u16string_view text);

}  // namespace quillet::snippets
