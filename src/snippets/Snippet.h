#pragma once
// One entry of the snippet library: what the menu shows, what F4 expands, and the text inserted.

#include <string>

namespace quillet::snippets {

struct SSnippet {
  std::u16string name;
  std::u16string shortcut;
  // Lines separated by CR LF, as the editor hands them out.
  std::u16string code;
  friend bool operator==(const SSnippet&, const SSnippet&) = default;
};

}  // namespace quillet::snippets
