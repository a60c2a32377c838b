#pragma once
// The Linux desktop shows neither .lnk nor .url files on the desktop or in its menus: a shortcut
// saved in one of those folders gets a desktop entry of the same name beside it.

#include <string>

namespace quillet::engine::wsh {

// Whether the shortcut file lies on the desktop or among the user's applications.
[[nodiscard]] bool InDesktopFolder(const std::string& shortcutHostPath);
// A desktop entry's value: one line, as UTF-8.
[[nodiscard]] std::string EntryValue(std::u16string_view text);
// Writes <name>.desktop beside the shortcut with the [Desktop Entry] lines given, marked
// executable (desktops launch only such entries); throws a script error when it cannot.
void WriteDesktopEntry(const std::string& shortcutHostPath, const std::string& lines);

}  // namespace quillet::engine::wsh
