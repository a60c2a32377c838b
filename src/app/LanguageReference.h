#pragma once
// The VBScript language reference as HTML pages built from the language catalogue: one page per
// built-in function, one per object's member table, one of the language words, and an index of
// every keyword. The page names are derived from the words, so that the help command finds the
// page of the word at the caret without reading the pages.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::app {

struct SReferencePage {
  std::string fileName;
  std::string html;  // UTF-8
};

inline constexpr std::u16string_view kReferenceIndexPage = u"index.html";

[[nodiscard]] std::vector<SReferencePage> BuildLanguageReference();

// The page (with its anchor) that describes the word, compared without regard to ASCII case;
// empty when the catalogue does not know it.
[[nodiscard]] std::u16string ReferencePageForWord(std::u16string_view word);

}  // namespace quillet::app
