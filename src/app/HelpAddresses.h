#pragma once
// Where the help and web commands lead: Quillet's own help topics, the web search for a word,
// the maker's download pages for the running system, and the word at the caret they look up.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/OsVersion.h"

namespace quillet::app {

inline constexpr std::u16string_view kMakerHomePage = u"https://kelmarsh.example/quillet/";
inline constexpr std::u16string_view kHelpIndexPage = u"index.html";

// The page of Quillet's help that explains the command; the index for commands without one.
[[nodiscard]] std::u16string_view ContextHelpPage(int32_t commandId);

// Every "%1" of the template replaced by the word; a template without one is used unchanged.
[[nodiscard]] std::u16string WebSearchAddress(std::u16string_view addressTemplate, std::u16string_view word);

// The maker's page for a download command on this system; nothing where the system has no page
// (the script debugger exists for neither Linux nor any platform but the two Windows families).
[[nodiscard]] std::optional<std::u16string> DownloadPageAddress(int32_t commandId, const SOsVersion& os);

// The letters, digits and underscores around position x of the line; empty when there are none.
[[nodiscard]] std::u16string WordAt(std::u16string_view line, int32_t x);

}  // namespace quillet::app
