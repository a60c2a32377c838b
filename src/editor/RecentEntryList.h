#pragma once
// The find and replace boxes' lists of recent entries, kept in the settings newest first.

#include <string>
#include <string_view>
#include <vector>

namespace quillet::app {
class CSettings;
struct SListSetting;
}  // namespace quillet::app

namespace quillet::editor {

// Puts text at the head of the list (an empty text only re-reads it), drops entries that equal
// it without regard to ASCII case, writes every slot back (empty strings fill the unused ones)
// and returns the entries for the combo box. Without settings the list is just the text.
std::vector<std::u16string> UpdateRecentList(app::CSettings* settings, const app::SListSetting& list,
                                             std::u16string_view text);

[[nodiscard]] bool EqualIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace quillet::editor
