#pragma once
// What the menus, the editor's context menu and the two toolbars hold, in order. The frame builds
// its widgets from these tables, so the ids and texts live in one place.

#include <cstdint>
#include <span>
#include <string_view>

namespace quillet::app {

// id 0 is a separator.
struct SMenuItem {
  int32_t id;
  std::u16string_view text;
};

struct SMenu {
  std::u16string_view title;
  std::span<const SMenuItem> items;
};

// The context menu's "Insert a code snippet" popup stands in its table under this id.
inline constexpr int32_t kInsertSnippetPopupId = -1;
inline constexpr std::u16string_view kInsertSnippetPopupText = u"Insert a code snippet";

// id 0 is a separator. A caption is shown beside the button's image; empty shows the image only.
struct SToolbarButton {
  int32_t id;
  std::u16string_view caption;
};

// The console-mode button's caption is the console host's name from the settings; this marks it.
inline constexpr std::u16string_view kConsoleHostCaption = u"\x1";

[[nodiscard]] std::span<const SMenu> MainMenu();
[[nodiscard]] std::span<const SMenuItem> EditorContextMenu();
[[nodiscard]] std::span<const SToolbarButton> MainToolbarButtons();
[[nodiscard]] std::span<const SToolbarButton> DebugToolbarButtons();

// Commands shown only on a toolbar, with the text of their tooltip.
[[nodiscard]] std::span<const SMenuItem> ToolbarOnlyCommands();

}  // namespace quillet::app
